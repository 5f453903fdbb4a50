#include "cFunctie.h"

#include "EngineBinding.h"
#include "ProgramSettings.h"
#include "ProjectFile.h"

#include <QtGlobal>

cFunctie::~cFunctie() { ReleaseTrees(); }

void cFunctie::LoadData(const QString &expression, TrevHandle tree, double a, double b)
{
    const trev::EngineApi &engine = trev::engine();
    m_numestr = expression;
    m_nume = tree;
    const char *parameters = engine.ShowParameters(tree);
    m_param = parameters ? QString::fromLocal8Bit(parameters) : QString();
    m_nume1 = engine.DerTree(m_nume);
    m_nume2 = engine.DerTree(m_nume1);
    m_a = a;
    m_b = b;
    m_title = expression + QStringLiteral("=0");
    // A view as high as the interval is wide; when the interval spans zero it is the interval.
    if ((a < 0) != (b < 0)) {
        m_ymin = a;
        m_ymax = b;
    } else {
        m_ymin = (a - b) / 2;
        m_ymax = -m_ymin;
    }
    const ProgramSettings &settings = programSettings();
    m_prec = qBound(MinGraphPoints, settings.GraphPrecision, MaxGraphPoints);
    m_hiq = qBound(MinRootSteps, settings.RootSteps, MaxRootSteps);
    m_coloraxe = DefaultAxesColor;
    m_colorgrafic = DefaultGraphColor;
    m_colorgrid = DefaultGridColor;
    m_showgrid = true;
    m_file.clear();
}

void cFunctie::CopyData(const cFunctie &source)
{
    m_a = source.m_a;
    m_b = source.m_b;
    m_ymin = source.m_ymin;
    m_ymax = source.m_ymax;
    m_prec = source.m_prec;
    m_hiq = source.m_hiq;
    m_coloraxe = source.m_coloraxe;
    m_colorgrafic = source.m_colorgrafic;
    m_colorgrid = source.m_colorgrid;
    m_title = source.m_title;
}

void cFunctie::ReleaseTrees()
{
    if (m_nume == 0 && m_nume1 == 0 && m_nume2 == 0)
        return;
    const trev::EngineApi &engine = trev::engine();
    // The derivatives were made from f, so they go first.
    if (m_nume2 != 0)
        engine.DelTree(m_nume2);
    m_nume2 = 0;
    if (m_nume1 != 0)
        engine.DelTree(m_nume1);
    m_nume1 = 0;
    if (m_nume != 0)
        engine.DelTree(m_nume);
    m_nume = 0;
}

void cFunctie::adoptTrees(TrevHandle f, TrevHandle derivative, TrevHandle secondDerivative)
{
    ReleaseTrees();
    m_nume = f;
    m_nume1 = derivative;
    m_nume2 = secondDerivative;
}

bool cFunctie::SaveProject(const QString &path)
{
    if (!ProjectFile::save(*this, path))
        return false;
    m_file = path;
    return true;
}

bool cFunctie::OpenProject(const QString &path) { return ProjectFile::open(*this, path); }

bool cFunctie::OpenProjectFromCommandLine(const QString &path)
{
    const QString resolved = ProjectFile::commandLinePath(path);
    if (resolved.isEmpty())
        return false;
    return OpenProject(resolved);
}
