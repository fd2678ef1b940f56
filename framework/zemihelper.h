#ifndef ZEMIHELPER_H
#define ZEMIHELPER_H

#include <QByteArray>
#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

#include "zemianswer.h"
#include "zemistyle.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QSlider;
class QWidget;

// Small static helpers shared by every program of the suite: desktop geometry,
// files, codec and translator, conversions and checksums, validation, clock,
// start with the system, reachability, the run log and one-line dialog calls.
class ZemiHelper
{
public:
    // Application and desktop
    static int desktopWidth();
    static int desktopHeight();
    static QString applicationDirectory();
    static QString applicationBaseName();
    static void seedRandom();
    static void ensureDirectory(const QString &path);
    static void centerWidget(QWidget *widget);
    static void setUtf8Codec();
    static void installTranslator(const QString &qmFile);
    static void sleepMs(int msec);

    // The system clock. The setter is replaceable so that tests never touch the
    // machine's clock; it returns false when the system refuses the change.
    using ClockSetter = std::function<bool(const QString &year, const QString &month, const QString &day,
                                           const QString &hour, const QString &minute, const QString &second)>;
    static ClockSetter clockSetter();
    static void setClockSetter(ClockSetter setter);
    static bool setSystemDateTime(const QString &year, const QString &month, const QString &day,
                                  const QString &hour, const QString &minute, const QString &second);
    static bool systemClockSetter(const QString &year, const QString &month, const QString &day,
                                  const QString &hour, const QString &minute, const QString &second);

    // Start with the system: an XDG autostart entry on Linux, the Run registry value on Windows.
    static void setAutoStart(const QString &name, const QString &programPath, bool enable);
    static QString autoStartFile(const QString &name);

    // Files and folders
    static QString saveFileDialog(const QString &filter, const QString &dirName = QString());
    static QString openFileDialog(const QString &filter, const QString &dirName = QString());
    static QStringList openFilesDialog(const QString &filter, const QString &dirName = QString());
    static QString chooseDirectory();
    // Test seam: when set, every file and folder dialog above returns what this answers
    // (mode is "save", "open", "opens" or "dir") instead of asking the user.
    using FileDialogHook = std::function<QStringList(const QString &mode, const QString &filter, const QString &dirName)>;
    static FileDialogHook fileDialogHook();
    static void setFileDialogHook(FileDialogHook hook);

    static QString fileNameOf(const QString &path);
    static bool folderExists(const QString &path);
    static bool fileExists(const QString &path);
    static void copyFile(const QString &sourceFile, const QString &targetFile);
    static void copyFileIfEmpty(const QString &sourceFile, const QString &targetFile);
    static void copyDefaultDatabase(const QString &targetFile);
    static QStringList listFolderFiles(const QStringList &nameFilters);
    static void deleteDirectory(const QString &path);
    static void writeRunLog(const QString &text, const QString &subFolder);

    // Validation
    static bool isIPv4(const QString &text);
    static bool isMacAddress(const QString &text);
    static bool isMobileNumber(const QString &text);
    static bool isEmailAddress(const QString &text);

    // Network
    static QString localIPv4();
    static bool hostReachable(const QString &address, int port, int timeoutMs = 1000);
    static QString hostAddressOf(const QString &hostName);
    static void setInternetProbe(const QString &address, int port = 80);
    static QString internetProbeAddress();
    static int internetProbePort();
    static bool internetReachable();
    static QString fetchUrl(const QString &url, int timeoutMs = 10000);

    // Number and text conversions
    static int hexTextToInt(const QString &text);
    static int decimalTextToInt(const QString &text);
    static int binaryTextToInt(const QString &text);
    static QString hexTextToBinaryText(const QString &text);
    static QString intToBinaryText8(int value);
    static QString intToBinaryText16(int value);
    static QString intToHexText(int value);
    static QString byteToDecimalText(int value);
    static QByteArray intToBytesBE(int value);
    static QByteArray intToBytesLE(int value);
    static int bytesToIntBE(const QByteArray &data);
    static int bytesToIntLE(const QByteArray &data);
    static QByteArray ushortToBytesBE(int value);
    static QByteArray ushortToBytesLE(int value);
    static int bytesToShortBE(const QByteArray &data);
    static int bytesToShortLE(const QByteArray &data);
    static QString xorText(const QString &text, quint8 key);
    static quint8 xorChecksum(const QByteArray &data);
    static quint8 sumChecksum(const QByteArray &data);
    static quint16 crc16Msb(const quint8 *data, int length, quint16 init, const quint16 *table);
    static quint16 crc16Lsb(const quint8 *data, int length, quint16 init, const quint16 *table);
    static quint16 crc16Modbus(const quint8 *data, int length);
    static QByteArray modbusCrcBytes(const QByteArray &data);
    static QByteArray hexTextToBytes(const QString &text);
    static int hexDigitValue(QChar ch);
    static QString bytesToHexText(const QByteArray &data);
    static QString bytesToEscapedAscii(const QByteArray &data);
    static QByteArray escapedAsciiToBytes(const QString &text);

    // Dialog wrappers
    static void showMessageBoxInfo(const QString &info, int closeSec = 0, bool exec = false);
    static void showMessageBoxError(const QString &info, int closeSec = 0, bool exec = false);
    static int showMessageBoxQuestion(const QString &info);
    static void showTipBox(const QString &title, const QString &tip, bool fullScreen = false,
                           bool center = true, int closeSec = 0);
    static void hideTipBox();
    static QString showInputBox(const QString &title, int type = 0, int closeSec = 0,
                                const QString &placeholderText = QString(), bool pwd = false,
                                const QString &defaultValue = QString());
    static void showDateSelect(QString &dateStart, QString &dateEnd,
                               const QString &format = QStringLiteral("yyyy-MM-dd"));
    // Test seam: the next box run with exec() (a question, input, date or
    // message box, through the wrappers above or its own exec()) takes the
    // first answer queued, first in first out; boxes only shown take none.
    static void setNextAnswer(const ZemiAnswer &answer);
    // The queue's first answer, taken off it; false when there is none.
    static bool takeNextAnswer(ZemiAnswer &answer);
    // The answers not taken yet; the queue is left empty.
    static QList<ZemiAnswer> takeAnswers();
    // What went wrong with answers taken (one that did not fit its box, a box
    // an act left open) since the last call; the list is left empty.
    static void noteAnswerProblem(const QString &problem);
    static QStringList takeAnswerProblems();

    // Colour styles. The shared values hold the colours of the last sheet loaded
    // (each "#F0F0F0" until then), for code that builds sheets at run time.
    static QString fontName;
    // The main icon's glyph in the dialogs' title bars and the base font size
    // (px) the generated sheets and the dialogs build on; a program may set both at start.
    static int iconMain;
    static int fontSize;
    static QString textColor;
    static QString panelColor;
    static QString borderColor;
    static QString normalColorStart;
    static QString normalColorEnd;
    static QString darkColorStart;
    static QString darkColorEnd;
    static QString highColor;

    static void applyStyle(Style style);
    static void applyStyleFile(const QString &qssFile);
    // A style file with the rules the program gave AppInit appended, and its
    // palette; the sheet ends at its first NUL. A file that cannot be opened
    // changes nothing.
    static void applyProgramStyle(const QString &styleName);
    static void applyStyleText(const QString &qssFile, QString &textColor, QString &panelColor,
                               QString &borderColor, QString &normalColorStart, QString &normalColorEnd,
                               QString &darkColorStart, QString &darkColorEnd, QString &highColor);
    static void readPaletteColors(const QString &qss, QString &textColor, QString &panelColor,
                                  QString &borderColor, QString &normalColorStart, QString &normalColorEnd,
                                  QString &darkColorStart, QString &darkColorEnd, QString &highColor);
    // Index 0 red, 1 green, 2 blue, 3 grey; any other index leaves the label alone.
    static void setStatusLabelStyle(QLabel *label, int index);

    // Sheet generators: each sets the sheet on the widget and returns it.
    static QString buttonStyle(QPushButton *button, int radius = 5, int padding = 8,
                               const QString &normalColor = QStringLiteral("#34495E"),
                               const QString &normalTextColor = QStringLiteral("#FFFFFF"),
                               const QString &hoverColor = QStringLiteral("#4E6D8C"),
                               const QString &hoverTextColor = QStringLiteral("#F0F0F0"),
                               const QString &pressedColor = QStringLiteral("#2D3E50"),
                               const QString &pressedTextColor = QStringLiteral("#B8C6D1"));
    static QString lineEditStyle(QLineEdit *lineEdit, int radius = 3, int borderWidth = 2,
                                 const QString &normalColor = QStringLiteral("#DCE4EC"),
                                 const QString &focusColor = QStringLiteral("#34495E"));
    static QString progressBarStyle(QProgressBar *progressBar, int maxHeight = 12, int radius = 5,
                                    int fontSize = 9, const QString &normalColor = QStringLiteral("#E8EDF2"),
                                    const QString &chunkColor = QStringLiteral("#E74C3C"));
    // The handle is twice the groove's height, overhangs it by half that height and is round.
    static QString sliderStyle(QSlider *slider, int sliderHeight = 8,
                               const QString &normalColor = QStringLiteral("#E8EDF2"),
                               const QString &grooveColor = QStringLiteral("#1ABC9C"),
                               const QString &handleBorderColor = QStringLiteral("#1ABC9C"),
                               const QString &handleColor = QStringLiteral("#FFFFFF"),
                               const QString &textColor = QStringLiteral("#000000"));
    static QString radioButtonStyle(QRadioButton *radioButton, int indicatorRadius = 8,
                                    const QString &normalColor = QStringLiteral("#D7DBDE"),
                                    const QString &checkedColor = QStringLiteral("#34495E"));
    static QString scrollBarStyle(QScrollBar *scrollBar, int handleRadius = 6, int handleMinLength = 120,
                                  int barSize = 12, const QString &bgColor = QStringLiteral("#F5F5F5"),
                                  const QString &handleColor = QStringLiteral("#9B9B9B"),
                                  const QString &handleHoverColor = QStringLiteral("#797979"),
                                  const QString &handlePressedColor = QStringLiteral("#5A5A5A"));

    // The button rules of a navigation bar without icons; the widget carries the
    // dynamic property flag with the position ("left", "right", "top", "bottom").
    static QString navigationStyle(QWidget *widget, const QString &position, int borderWidth,
                                   const QString &borderColor, const QString &normalBgColor,
                                   const QString &darkBgColor, const QString &normalTextColor,
                                   const QString &darkTextColor);
};

#endif // ZEMIHELPER_H
