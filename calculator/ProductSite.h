#pragma once
// The product's web site, opened from the Help menu and the about box.
#include <QString>

inline QString ProductSite()
{
    return QStringLiteral("https://trevolin.example.org/calculator");
}
