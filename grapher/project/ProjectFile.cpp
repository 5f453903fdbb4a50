#include "ProjectFile.h"

#include "EngineBinding.h"
#include "IniFile.h"
#include "LangText.h"
#include "MessageSink.h"
#include "NumberText.h"
#include "cFunctie.h"

#include <QDir>
#include <QFileInfo>
#include <QtGlobal>

namespace {

// Each root-finding step evaluates f and f'. Their cost grows with the size of the two
// expressions (about 10 ns per printed character on a desktop machine), so a crafted file with
// a huge function gets fewer steps, keeping the scan that opening starts under about a second.
// Any function of ordinary size keeps the steps stored in the file.
qint32 affordableRootSteps(const trev::EngineApi &engine, TrevHandle f, TrevHandle derivative)
{
    constexpr qint64 CharacterStepBudget = 80000000;
    const qint64 characters = qint64(qstrlen(engine.StrTree(f))) + qint64(qstrlen(engine.StrTree(derivative))) + 1;
    const qint64 affordable = CharacterStepBudget / characters;
    return qint32(qBound(qint64(cFunctie::MinRootSteps), affordable, qint64(cFunctie::MaxRootSteps)));
}

const QString SectionVersion = QStringLiteral("Trevolin");
const QString SectionFunction = QStringLiteral("Function");
const QString SectionGraph = QStringLiteral("Graph");
const QString SectionPrecision = QStringLiteral("Precision");
const QString SectionColors = QStringLiteral("Colors");
const QString SectionShow = QStringLiteral("Show");

const QString KeyVersion = QStringLiteral("Version");
const QString KeyName = QStringLiteral("Name");
const QString KeyParam = QStringLiteral("Param");
const QString KeyTitle = QStringLiteral("Title");
const QString KeyXmin = QStringLiteral("Xmin");
const QString KeyXmax = QStringLiteral("Xmax");
const QString KeyYmin = QStringLiteral("Ymin");
const QString KeyYmax = QStringLiteral("Ymax");
const QString KeyGraphPoints = QStringLiteral("Graph points");
const QString KeyRootSteps = QStringLiteral("Root-finding steps");
const QString KeyAxes = QStringLiteral("Axes");
const QString KeyGrid = QStringLiteral("Grid");
const QString KeyGraph = QStringLiteral("Graph");

// Everything a project file holds, converted, before anything is handed to the project.
struct FileValues {
    QString name;
    QString param;
    QString title;
    double xmin = 0, xmax = 0, ymin = 0, ymax = 0;
    qint32 rootSteps = 0, graphPoints = 0;
    qint32 axes = 0, grid = 0, graph = 0;
    bool showGrid = true;
};

bool readNumber(const IniFile &ini, const QString &section, const QString &key, const QString &def, double &result)
{
    bool overflow = false;
    result = NumberText::parseNumberPrefix(ini.value(section, key, def), &overflow);
    return !overflow;
}

bool readInteger(const IniFile &ini, const QString &section, const QString &key, const QString &def, qint32 &result)
{
    double value = 0;
    return readNumber(ini, section, key, def, value) && NumberText::roundToInt32(value, result);
}

// "True" or "False" in any case, or a number: 0 is false, any other number true.
bool readBoolean(const IniFile &ini, const QString &section, const QString &key, const QString &def, bool &result)
{
    const QString text = ini.value(section, key, def).trimmed();
    if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) {
        result = true;
        return true;
    }
    if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) {
        result = false;
        return true;
    }
    bool overflow = false;
    int consumed = 0;
    const double value = NumberText::parseNumberPrefix(text, &overflow, &consumed);
    if (text.isEmpty() || overflow || consumed != text.size())
        return false;
    result = value != 0;
    return true;
}

bool readValues(const IniFile &ini, FileValues &values)
{
    values.name = ini.value(SectionFunction, KeyName);
    if (values.name.isEmpty())
        return false;
    values.param = ini.value(SectionFunction, KeyParam);
    values.title = ini.value(SectionGraph, KeyTitle, values.name + QStringLiteral("=0"));
    return readNumber(ini, SectionGraph, KeyXmin, QStringLiteral("-10"), values.xmin)
        && readNumber(ini, SectionGraph, KeyXmax, QStringLiteral("10"), values.xmax)
        && readNumber(ini, SectionGraph, KeyYmin, QStringLiteral("-10"), values.ymin)
        && readNumber(ini, SectionGraph, KeyYmax, QStringLiteral("10"), values.ymax)
        && readInteger(ini, SectionPrecision, KeyRootSteps, QStringLiteral("1000"), values.rootSteps)
        && readInteger(ini, SectionPrecision, KeyGraphPoints, QStringLiteral("200"), values.graphPoints)
        && readInteger(ini, SectionColors, KeyAxes, QStringLiteral("0"), values.axes)
        && readInteger(ini, SectionColors, KeyGrid, QStringLiteral("12632256"), values.grid)
        && readInteger(ini, SectionColors, KeyGraph, QStringLiteral("255"), values.graph)
        && readBoolean(ini, SectionShow, KeyGrid, QStringLiteral("True"), values.showGrid);
}

void refuse(const QString &path, const QString &text) { Messages().warning(path, text); }

} // namespace

bool ProjectFile::save(const cFunctie &project, const QString &path)
{
    QString parameters;
    if (project.nume() != 0) {
        // The values in force now, which the parameters box may have changed since loading.
        const char *text = trev::engine().ShowParameters(project.nume());
        parameters = text ? QString::fromLocal8Bit(text) : QString();
    }
    IniFile ini(path);
    ini.setValue(SectionVersion, KeyVersion, QString::fromLatin1(Version));
    ini.setValue(SectionFunction, KeyName, project.numestr());
    ini.setValue(SectionFunction, KeyParam, parameters);
    ini.setValue(SectionGraph, KeyTitle, project.title());
    ini.setValue(SectionGraph, KeyXmin, NumberText::fileNumber(project.a()));
    ini.setValue(SectionGraph, KeyXmax, NumberText::fileNumber(project.b()));
    ini.setValue(SectionGraph, KeyYmin, NumberText::fileNumber(project.ymin()));
    ini.setValue(SectionGraph, KeyYmax, NumberText::fileNumber(project.ymax()));
    ini.setValue(SectionPrecision, KeyGraphPoints, NumberText::fileInteger(project.prec()));
    ini.setValue(SectionPrecision, KeyRootSteps, NumberText::fileInteger(project.hiq()));
    ini.setValue(SectionColors, KeyAxes, NumberText::fileInteger(project.coloraxe()));
    ini.setValue(SectionColors, KeyGrid, NumberText::fileInteger(project.colorgrid()));
    ini.setValue(SectionColors, KeyGraph, NumberText::fileInteger(project.colorgrafic()));
    ini.setValue(SectionShow, KeyGrid, project.showgrid() ? QStringLiteral("True") : QStringLiteral("False"));
    return ini.save();
}

bool ProjectFile::open(cFunctie &project, const QString &path)
{
    const IniFile ini(path);
    if (ini.value(SectionVersion, KeyVersion).isEmpty()) {
        refuse(path, LangText("NoProject", "The file is not a Trevolin project."));
        return false;
    }
    const QString errorFile = LangText("ErrorFile", "Error on file opening.");
    FileValues values;
    if (!readValues(ini, values)) {
        refuse(path, errorFile);
        return false;
    }

    const trev::EngineApi &engine = trev::engine();
    qint32 error = 0;
    qint32 position = 0;
    const QByteArray name = values.name.toLocal8Bit();
    TrevHandle tree = 0;
    if (!values.param.isEmpty()) {
        const QByteArray parameters = values.param.toLocal8Bit();
        tree = engine.CrTree(name.constData(), parameters.constData(), &error, &position);
    } else {
        tree = engine.CrTree2(name.constData(), &error, &position);
    }
    if (error != 0) {
        engine.DelTree(tree);
        refuse(path, errorFile);
        return false;
    }

    const TrevHandle derivative = engine.DerTree(tree);
    project.adoptTrees(tree, derivative, engine.DerTree(derivative));
    project.setFile(path);
    project.setNumestr(values.name);
    project.setParam(values.param);
    project.setTitle(values.title);
    project.setA(values.xmin);
    project.setB(values.xmax);
    project.setYmin(values.ymin);
    project.setYmax(values.ymax);
    project.setHiq(qMin(qBound(cFunctie::MinRootSteps, values.rootSteps, cFunctie::MaxRootSteps),
                        affordableRootSteps(engine, tree, derivative)));
    project.setPrec(qBound(cFunctie::MinGraphPoints, values.graphPoints, cFunctie::MaxGraphPoints));
    project.setColoraxe(values.axes);
    project.setColorgrid(values.grid);
    project.setColorgrafic(values.graph);
    project.setShowgrid(values.showGrid);
    return true;
}

QString ProjectFile::commandLinePath(const QString &path)
{
    const QString absolute = path.startsWith(QLatin1Char('/'))
        ? path
        : QDir::cleanPath(QDir::currentPath() + QLatin1Char('/') + path);
    return QFileInfo(absolute).isFile() ? absolute : QString();
}
