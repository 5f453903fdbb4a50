#pragma once
// The addresses of the product's web pages, kept in one place. A build names the site with the
// CMake variable TREV_PRODUCT_SITE; without it these are placeholders, and texts meant for other
// people (reports) leave the link out.
#include "core/Version.h"

#include <QString>

namespace WebAddresses {

// True when the build was given the product's real site.
inline bool hasProductSite() { return !ConfiguredProductSite().isEmpty(); }
// Home page of the product; the other pages are named relative to it.
inline QString productSite()
{
    return hasProductSite() ? ConfiguredProductSite() : QStringLiteral("https://trevolin.example.org/");
}
// The calculator's own page.
inline QString calculatorSite() { return productSite() + QStringLiteral("calculator"); }
// The page about the numerical methods.
inline QString numericalMethods() { return productSite() + QStringLiteral("numerical.html"); }
// The update check, told which version asks.
inline QString updateCheck() { return productSite() + QStringLiteral("check.php?clientversion=") + FullVersionText(); }

// An outside page that integrates symbolically, offered beside the numerical integral.
inline QString symbolicIntegration() { return QStringLiteral("https://www.integral-calculator.com/"); }

} // namespace WebAddresses
