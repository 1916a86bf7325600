#pragma once
// The maker's data that the program shows, asks and writes: its web site and the contact data
// and identifiers of the side files. The real addresses are not part of the program's data;
// neutral placeholders stand in for them, all in this one place.
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

// The maker's contact data and device identifiers written into the side files.

inline const QString Maker_Company = "Velmora S.r.l.";
inline const QString Maker_Street = "Via dell'Artigianato 14";
inline const QString Maker_Town = "35010 Vigonza";  // postcode and town
inline const QString Maker_Province = "Padova (PD)";
inline const QString Maker_Country = "Italy";
inline const QString Maker_Telephone = "+39 049 0000000";
inline const QString Maker_Fax = "+39 049 0000001";
inline const QString Maker_EMail = "info@velmora.example";
// Private enterprise number under iso.org.dod.internet.private.enterprises.
inline constexpr int Maker_Enterprise_Number = 49827;
// PROFIBUS ident number of the QG40227 slave.
inline constexpr int Maker_PROFIBUS_Ident_Number = 0x0B27;
