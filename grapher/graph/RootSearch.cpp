#include "RootSearch.h"

#include "Colors.h"
#include "EngineBinding.h"
#include "GraphSurface.h"
#include "LangText.h"
#include "NumberText.h"
#include "cFunctie.h"

#include <QClipboard>
#include <QCursor>
#include <QGuiApplication>

#include <cmath>

namespace {

// The wait cursor for the length of a scan, when there is a screen to show it on.
class WaitCursor {
public:
    WaitCursor() : m_shown(qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr)
    {
        if (m_shown)
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    }
    ~WaitCursor()
    {
        if (m_shown)
            QGuiApplication::restoreOverrideCursor();
    }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;

private:
    bool m_shown;
};

bool signChange(double previous, double current)
{
    return (previous > 0 && current < 0) || (previous < 0 && current > 0);
}

// The bits a marker is XORed with: the complement of its colour, so that on the white ground
// of the graph the disc shows in that colour; a second XOR removes it again.
QRgb markerBits()
{
    return ~ColorFromValue(RootSearch::MarkerColor).rgb() & 0x00FFFFFFu;
}

} // namespace

QString RootSearch::RootText(double root) { return NumberText::roundedText(root, RootDecimals); }

void RootSearch::accept(double root)
{
    m_texts.append(RootText(root));
    m_checked.append(false);
}

int RootSearch::ScanRoots(const cFunctie &f)
{
    m_rootsFound = true;
    const WaitCursor waitCursor;
    int found = 0;
    const double a = f.a();
    const qint32 hiq = f.hiq();
    const double h = hiq > 0 ? (f.b() - a) / hiq : 0;
    // An empty or non-finite interval has nothing to scan.
    if (f.nume() != 0 && h != 0 && std::isfinite(h) && std::isfinite(a)) {
        const trev::EngineApi &engine = trev::engine();
        const TrevHandle nume = f.nume(), nume1 = f.nume1(), nume2 = f.nume2();
        const auto evaluate = [&engine](TrevHandle tree, double x, qint32 &error) {
            error = 0;
            return engine.EvalTree(tree, x, &error);
        };
        // The refined point r counts as a root only where f is defined and nearly zero.
        const auto acceptIfRoot = [&](double r) {
            qint32 error = 0;
            const double v = evaluate(nume, r, error);
            if (error == 0 && std::fabs(v) < Acceptance) {
                accept(r);
                ++found;
            }
        };

        // The first sub-interval is [a - h, a], one step left of the interval.
        double x = a - h;
        qint32 e = 0;
        double y = evaluate(nume, x, e);
        double d = 0;
        qint32 de = 0;
        for (qint32 k = 0; k <= hiq; ++k) {
            const double xp = x, yp = y, dp = d;
            const qint32 ep = e, dep = de;
            x = a + k * h;
            y = evaluate(nume, x, e);
            if (e != 0) {
                de = e;
                d = 0;
            } else {
                d = evaluate(nume1, x, de);
            }

            if (e == 0 && y == 0) {
                accept(x);
                ++found;
            } else if (ep == 0 && e == 0 && signChange(yp, y)) {
                qint32 error = 0;
                const double r = engine.FindRoot(nume, nume1, xp, x, &error);
                if (error == 0)
                    acceptIfRoot(r);
            } else if (de == 0 && d == 0) {
                acceptIfRoot(x);
            } else if (dep == 0 && de == 0 && signChange(dp, d)) {
                // f' changes sign: f has an extremum in [xp, x] that may touch zero.
                qint32 error = 0;
                const double r = engine.FindRoot(nume1, nume2, xp, x, &error);
                if (error == 0)
                    acceptIfRoot(r);
            }
        }
    }

    if (found == 0)
        m_resultText = LangText("NoRoot1", "No root found. Select another interval or change the root-finding steps.");
    else if (found == 1)
        m_resultText = LangText("OneRoot", "One root found. Select the root to locate it on the graph.");
    else
        m_resultText = QString::number(found) + QLatin1Char(' ')
            + LangText("Roots", "roots found. Select one to locate it on the graph.");
    return found;
}

void RootSearch::Cmd_Radacini_Click(const cFunctie &f)
{
    if (m_rootsFound) {
        if (m_saveRoots)
            m_saveRoots();
        return;
    }
    clear();
    ScanRoots(f);
    m_buttonCaption = LangText("SaveRoots3", "Save roots");
    m_menuCaption = LangText("SaveRoots1", "&Save roots") + QStringLiteral("...");
}

void RootSearch::radacini(const cFunctie &f, bool save)
{
    if (save && !m_rootsFound)
        Cmd_Radacini_Click(f);
    Cmd_Radacini_Click(f);
}

void RootSearch::update(bool intervalChanged)
{
    if (!intervalChanged)
        return;
    clear();
    m_rootsFound = false;
    m_buttonCaption = LangText("FindRoots", "Find roots");
    m_menuCaption = LangText("FindRoots1", "&Find roots");
    m_resultText = LangText("ClickFind", "Click the button above to find the roots on the new interval.");
}

void RootSearch::clear()
{
    m_texts.clear();
    m_checked.clear();
}

bool RootSearch::isChecked(int index) const
{
    return index >= 0 && index < m_checked.size() && m_checked.at(index);
}

void RootSearch::setChecked(int index, bool checked, GraphSurface &surface)
{
    if (index < 0 || index >= m_checked.size() || m_checked.at(index) == checked)
        return;
    m_checked[index] = checked;
    MarkRoot(index, surface);
}

void RootSearch::SelectRoots(bool checked, bool invert, GraphSurface &surface)
{
    for (int i = 0; i < m_checked.size(); ++i)
        setChecked(i, invert ? !m_checked.at(i) : checked, surface);
}

void RootSearch::MarkRoot(int index, GraphSurface &surface) const
{
    if (index < 0 || index >= m_texts.size())
        return;
    double x = 0;
    if (!NumberText::parseGeneralText(m_texts.at(index), x))
        return;
    surface.XorDisc(x, 0, MarkerRadius, markerBits());
}

void RootSearch::MarkCheckedRoots(GraphSurface &surface) const
{
    for (int i = 0; i < m_checked.size(); ++i) {
        if (m_checked.at(i))
            MarkRoot(i, surface);
    }
}

QString RootSearch::CopyRootsText(const cFunctie &f) const
{
    const QString lineEnd = QStringLiteral("\r\n");
    QString text = f.numestr() + QStringLiteral(" = 0") + lineEnd;
    if (f.nume() != 0) {
        const char *parameters = trev::engine().ShowParameters(f.nume());
        const QString values = parameters ? QString::fromLocal8Bit(parameters) : QString();
        if (!values.isEmpty())
            text += values + lineEnd;
    }
    text += QLatin1Char('[') + NumberText::roundedText(f.a(), RootDecimals) + QStringLiteral("; ")
        + NumberText::roundedText(f.b(), RootDecimals) + QLatin1Char(']') + lineEnd;
    text += lineEnd;
    text += QString::number(count()) + QLatin1Char(' ') + LangText("RootsFound", "roots found.") + lineEnd;
    for (int i = 0; i < m_texts.size(); ++i)
        text += QLatin1Char('x') + QString::number(i + 1) + QStringLiteral(" = ") + m_texts.at(i) + lineEnd;
    return text;
}

void RootSearch::CopyRoots(const cFunctie &f) const
{
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return;
    if (QClipboard *clipboard = QGuiApplication::clipboard())
        clipboard->setText(CopyRootsText(f));
}
