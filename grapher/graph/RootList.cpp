#include "graph/RootList.h"

#include "analysis/HtmlReport.h"
#include "analysis/RootScan.h"
#include "gui/Colors.h"
#include "graph/GraphSurface.h"
#include "core/LangText.h"
#include "core/NumberFormat.h"
#include "project/FunctionProject.h"

#include <QClipboard>
#include <QGuiApplication>


namespace {

// The bits a marker is XORed with: the complement of its colour, so that on the white ground
// of the graph the disc shows in that colour; a second XOR removes it again.
QRgb markerBits()
{
    return ~ColorFromValue(RootList::MarkerColor).rgb() & 0x00FFFFFFu;
}

} // namespace

QString RootList::rootText(double root) { return NumberFormat::roundedText(root, RootDecimals); }

void RootList::accept(double root)
{
    m_roots.append(root);
    m_checked.append(false);
}

QStringList RootList::texts() const
{
    QStringList texts;
    texts.reserve(m_roots.size());
    for (double root : m_roots)
        texts.append(rootText(root));
    return texts;
}

int RootList::scanRoots(const FunctionProject &f)
{
    beginScan(false);
    addScannedRoots(RootScan::run(f));
    endScan(false);
    return m_scanFound;
}

void RootList::beginScan(bool fromButton)
{
    if (fromButton)
        clear();
    m_rootsFound = true;
    m_cancelled = false;
    m_scanFromButton = fromButton;
    m_scanFound = 0;
}

void RootList::addScannedRoots(const QVector<double> &roots)
{
    for (double root : roots)
        accept(root);
    m_scanFound += roots.size();
}

void RootList::endScan(bool cancelled)
{
    m_cancelled = cancelled;
    if (cancelled) {
        m_resultText = LangText("ScanCancelled", "The search was stopped; the roots found until then are listed. "
                                                 "Click the button above to search again.");
        m_buttonCaption = LangText("FindRoots", "Find roots");
        m_menuCaption = LangText("FindRoots1", "&Find roots");
        return;
    }
    m_resultText = summaryText(m_scanFound);
    if (m_scanFromButton) {
        m_buttonCaption = LangText("SaveRoots3", "Save roots");
        m_menuCaption = LangText("SaveRoots1", "&Save roots") + QStringLiteral("...");
    }
}

QString RootList::summaryText(int found)
{
    if (found == 0)
        return LangText("NoRoot1", "No root found. Select another interval or change the root-finding steps.");
    if (found == 1)
        return LangText("OneRoot", "One root found. Select the root to locate it on the graph.");
    return QString::number(found) + QLatin1Char(' ') + LangText("Roots", "roots found. Select one to locate it on the graph.");
}

void RootList::rootsButtonClicked(const FunctionProject &f)
{
    if (buttonRole() == ButtonRole::SaveRoots) {
        if (m_saveRoots)
            m_saveRoots();
        return;
    }
    beginScan(true);
    addScannedRoots(RootScan::run(f));
    endScan(false);
}

void RootList::findOrSaveRoots(const FunctionProject &f, bool save)
{
    if (save && buttonRole() == ButtonRole::FindRoots)
        rootsButtonClicked(f);
    rootsButtonClicked(f);
}

void RootList::refresh(bool intervalChanged)
{
    if (intervalChanged)
        reset(LangText("ClickFind", "Click the button above to find the roots on the new interval."));
}

void RootList::functionChanged()
{
    reset(LangText("ClickFindChanged", "Click the button above to find the roots of the changed function."));
}

void RootList::reset(const QString &resultText)
{
    clear();
    m_rootsFound = false;
    m_cancelled = false;
    m_buttonCaption = LangText("FindRoots", "Find roots");
    m_menuCaption = LangText("FindRoots1", "&Find roots");
    m_resultText = resultText;
}

void RootList::clear()
{
    m_roots.clear();
    m_checked.clear();
}

bool RootList::isChecked(int index) const
{
    return index >= 0 && index < m_checked.size() && m_checked.at(index);
}

void RootList::setChecked(int index, bool checked, GraphSurface &surface)
{
    if (index < 0 || index >= m_checked.size() || m_checked.at(index) == checked)
        return;
    m_checked[index] = checked;
    markRoot(index, surface);
}

void RootList::selectRoots(bool checked, bool invert, GraphSurface &surface)
{
    for (int i = 0; i < m_checked.size(); ++i)
        setChecked(i, invert ? !m_checked.at(i) : checked, surface);
}

void RootList::markRoot(int index, GraphSurface &surface) const
{
    if (index < 0 || index >= m_roots.size())
        return;
    surface.xorDisc(m_roots.at(index), 0, MarkerRadius, markerBits());
}

void RootList::markCheckedRoots(GraphSurface &surface) const
{
    for (int i = 0; i < m_checked.size(); ++i) {
        if (m_checked.at(i))
            markRoot(i, surface);
    }
}

QString RootList::copyRootsText(const FunctionProject &f) const
{
    const QString lineEnd = QStringLiteral("\r\n");
    QString text = f.functionText() + QStringLiteral(" = 0") + lineEnd;
    const QString values = f.f().parameters();
    if (!values.isEmpty())
        text += values + lineEnd;
    text += QLatin1Char('[') + NumberFormat::roundedText(f.xMin(), RootDecimals) + QStringLiteral("; ")
        + NumberFormat::roundedText(f.xMax(), RootDecimals) + QLatin1Char(']') + lineEnd;
    text += lineEnd;
    text += HtmlReport::rootsFoundLine(count()) + lineEnd;
    for (int i = 0; i < m_roots.size(); ++i)
        text += QLatin1Char('x') + QString::number(i + 1) + QStringLiteral(" = ") + rootText(m_roots.at(i)) + lineEnd;
    return text;
}

void RootList::copyRoots(const FunctionProject &f) const
{
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return;
    if (QClipboard *clipboard = QGuiApplication::clipboard())
        clipboard->setText(copyRootsText(f));
}

QStringList RootList::checkedTexts() const
{
    QStringList checked;
    for (int i = 0; i < count(); ++i) {
        if (m_checked.at(i))
            checked.append(rootText(m_roots.at(i)));
    }
    return checked;
}

void RootList::checkListed(const QStringList &texts, int from, GraphSurface &surface)
{
    for (int i = from; i < count(); ++i) {
        if (texts.contains(rootText(m_roots.at(i))))
            setChecked(i, true, surface);
    }
}
