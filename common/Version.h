#pragma once
// Version of the programs and the addresses of the product's web pages.
#include <QString>

constexpr int VersionMajor = 2;
constexpr int VersionMinor = 36;
constexpr int VersionRevision = 969;

// "2.36"
inline QString VersionText() { return QString::number(VersionMajor) + QLatin1Char('.') + QString::number(VersionMinor); }

// Home page of the product; other pages are named relative to it.
inline QString ProductSite() { return QStringLiteral("https://trevolin.example.org/"); }
