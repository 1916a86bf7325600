#pragma once
// The maker's web site: the domain shown in captions and labels, and the pages the program
// opens or asks. The real addresses are not part of the program's data; a neutral
// placeholder domain stands in for them.
#include <QString>

inline const QString Maker_Web_Domain = QStringLiteral("www.velmora.example");
inline const QString Maker_Web_Host = QStringLiteral("www.velmora.example");

// The maker's home page, as the main window's address label and the About box open it.
inline const QString Maker_Home_Page =
    QStringLiteral("http://www.velmora.example/HOME/default.asp?frompg=QC40328");
// The download page of this build, target of the "new version" links.
inline const QString Maker_Download_Page =
    QStringLiteral("http://www.velmora.example/Home/download/download.asp#QG40328");
// The version page asked by the update check (query "nomesw" = software code).
inline const QString Maker_Version_Path = QStringLiteral("/home/download/GetversionSW.asp");
