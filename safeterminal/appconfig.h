#ifndef APPCONFIG_H
#define APPCONFIG_H

#include "dbhelper.h"

#include <QString>
#include <QStringList>

// The terminal's settings as process-wide values, read from and written to
// one INI file beside the executable. Every screen reads and writes them
// directly; save() rewrites the whole file.
class AppConfig
{
public:
    static QString ConfigFile;

    // The registered users, refilled from UserInfo at start-up and after every change.
    static DbUserCache Users;

    // BaseConfig
    static QString BgImage;
    static bool UseInput;
    static QString InputPosition;
    static int MainWidth;
    static int MainHeight;

    // NetConfig
    static QString IPClient;
    static QString MaskClient;
    static QString GatewayClient;
    static QString PortClient;
    static QString IPServer;
    static QString PortServer;
    static QString IPServer2;

    // SwitchConfig
    static int OpenMode;
    static bool OpenAuthor;
    static int LogMode;
    static bool LogAuthor;
    static int ConfigMode;
    static bool ConfigAuthor;
    static bool UserPwd;
    static bool Admin;

    // SystemConfig
    static bool VolumnTip;
    static bool LinkSnap;
    static QString OSD;
    static int TimeAlarm;
    static int Temp;
    static int Volumn;
    static int TimeClose;
    // Demonstration rows added at every start; a site turns them off, so that
    // its records hold only what someone did.
    static bool SampleData;
    // "auto": a reader found at start is used for the whole run, else taps
    // stand in for fingers; "required": without a reader no finger step passes.
    static QString FingerReader;

    // AlarmConfig, index 0 is alarm input 1
    static constexpr int AlarmCount = 8;
    static int AlarmMode[AlarmCount];
    static bool AlarmLink[AlarmCount];
    static bool AlarmUp[AlarmCount];

    // The five verification modes, by the index stored in OpenMode, LogMode and ConfigMode.
    static const QStringList VerifyMode;

    // MainHeight 480 selects the small-screen sizes of every screen.
    static bool smallScreen();

    static QString defaultBgImage();

    static void load();
    // Whether the file was written.
    static bool save();
    static bool checkFile();

    // Puts every setting back to its built-in value (the users are left alone).
    static void resetDefaults();
    static void loadUsers();
};

#endif // APPCONFIG_H
