#ifndef FRAMEWORKRESOURCES_H
#define FRAMEWORKRESOURCES_H

// The framework's resources (the colour style sheets with their pictures and
// the icon fonts) in a library of their own, so that a program which needs a
// sheet but nothing else of the framework links only Qt Core for them.
namespace FrameworkResources {

// Registers them once; later calls do nothing.
void init();

} // namespace FrameworkResources

#endif // FRAMEWORKRESOURCES_H
