#include "project/ProjectFile.h"

#include "core/ErrorMessage.h"
#include "core/EvaluationCost.h"
#include "core/IniFile.h"
#include "core/LangText.h"
#include "core/LocalFileName.h"
#include "core/NumberFormat.h"
#include "core/NumberReader.h"
#include "core/Version.h"
#include "project/FunctionProject.h"
#include "project/ParameterSlider.h"

#include <QDir>
#include <QFileInfo>
#include <QtGlobal>

#include <utility>

namespace {

const QString SectionVersion = QStringLiteral("Trevolin");
const QString SectionFunction = QStringLiteral("Function");
const QString SectionGraph = QStringLiteral("Graph");
const QString SectionPrecision = QStringLiteral("Precision");
const QString SectionColors = QStringLiteral("Colors");
const QString SectionShow = QStringLiteral("Show");
// Slider ranges and the derivatives' curves; older readers keep the section as it is.
const QString SectionSliders = QStringLiteral("Sliders");
const QString KeyShowFPrime = QStringLiteral("Show f'");
const QString KeyShowFSecond = QStringLiteral("Show f''");
const QString KeyRangePrefix = QStringLiteral("Range ");

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
    bool showFPrime = false;
    bool showFSecond = false;
};

// The reasons a file is refused: which key, and what was wrong with it.
QString keyName(const QString &section, const QString &key)
{
    return QLatin1Char('[') + section + QStringLiteral("] ") + key;
}
QString badValue(const QString &section, const QString &key, const QString &value, const QString &fault)
{
    return keyName(section, key) + QLatin1Char('=') + value + QStringLiteral(": ") + fault;
}

bool readNumber(const IniFile &ini, const QString &section, const QString &key, const QString &def, double &result,
                QString &reason)
{
    const QString text = ini.value(section, key, def);
    bool overflow = false;
    result = NumberReader::parseNumberPrefix(text, &overflow);
    if (overflow)
        reason = badValue(section, key, text, LangText("FileNumberRange", "The number is out of range."));
    return !overflow;
}

bool readInteger(const IniFile &ini, const QString &section, const QString &key, const QString &def, qint32 &result,
                 QString &reason)
{
    double value = 0;
    if (!readNumber(ini, section, key, def, value, reason))
        return false;
    if (NumberFormat::roundToInt32(value, result))
        return true;
    reason = badValue(section, key, ini.value(section, key, def),
                      LangText("FileNumberRange", "The number is out of range."));
    return false;
}

// "True" or "False" in any case, or a number: 0 is false, any other number true.
bool readBoolean(const IniFile &ini, const QString &section, const QString &key, const QString &def, bool &result,
                 QString &reason)
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
    const double value = NumberReader::parseNumberPrefix(text, &overflow, &consumed);
    if (text.isEmpty() || overflow || consumed != text.size()) {
        reason = badValue(section, key, text,
                          LangText("FileNotBoolean", "The value is neither True, False nor a number."));
        return false;
    }
    result = value != 0;
    return true;
}

bool readValues(const IniFile &ini, FileValues &values, QString &reason)
{
    values.name = ini.value(SectionFunction, KeyName);
    if (values.name.isEmpty()) {
        reason = keyName(SectionFunction, KeyName) + QStringLiteral(": ")
            + LangText("FileKeyMissing", "The key is missing or empty.");
        return false;
    }
    values.param = ini.value(SectionFunction, KeyParam);
    values.title = ini.value(SectionGraph, KeyTitle, values.name + QStringLiteral("=0"));
    return readNumber(ini, SectionGraph, KeyXmin, QStringLiteral("-10"), values.xmin, reason)
        && readNumber(ini, SectionGraph, KeyXmax, QStringLiteral("10"), values.xmax, reason)
        && readNumber(ini, SectionGraph, KeyYmin, QStringLiteral("-10"), values.ymin, reason)
        && readNumber(ini, SectionGraph, KeyYmax, QStringLiteral("10"), values.ymax, reason)
        && readInteger(ini, SectionPrecision, KeyRootSteps, QStringLiteral("1000"), values.rootSteps, reason)
        && readInteger(ini, SectionPrecision, KeyGraphPoints, QStringLiteral("200"), values.graphPoints, reason)
        && readInteger(ini, SectionColors, KeyAxes, QStringLiteral("0"), values.axes, reason)
        && readInteger(ini, SectionColors, KeyGrid, QStringLiteral("12632256"), values.grid, reason)
        && readInteger(ini, SectionColors, KeyGraph, QStringLiteral("255"), values.graph, reason)
        && readBoolean(ini, SectionShow, KeyGrid, QStringLiteral("True"), values.showGrid, reason)
        && readBoolean(ini, SectionSliders, KeyShowFPrime, QStringLiteral("False"), values.showFPrime, reason)
        && readBoolean(ini, SectionSliders, KeyShowFSecond, QStringLiteral("False"), values.showFSecond, reason);
}

} // namespace

FileWriteResult ProjectFile::save(FunctionProject &project, const QString &path)
{
    IniFile ini(path, MaxFileBytes);
    ini.setValue(SectionVersion, KeyVersion, FullVersionText());
    ini.setValue(SectionFunction, KeyName, project.functionText());
    // The values in force now, which the parameters box may have changed since loading.
    ini.setValue(SectionFunction, KeyParam, project.f().parameters());
    ini.setValue(SectionGraph, KeyTitle, project.title());
    ini.setValue(SectionGraph, KeyXmin, NumberFormat::fileNumber(project.xMin()));
    ini.setValue(SectionGraph, KeyXmax, NumberFormat::fileNumber(project.xMax()));
    ini.setValue(SectionGraph, KeyYmin, NumberFormat::fileNumber(project.yMin()));
    ini.setValue(SectionGraph, KeyYmax, NumberFormat::fileNumber(project.yMax()));
    ini.setValue(SectionPrecision, KeyGraphPoints, NumberFormat::fileInteger(project.graphPoints()));
    ini.setValue(SectionPrecision, KeyRootSteps, NumberFormat::fileInteger(project.rootSteps()));
    ini.setValue(SectionColors, KeyAxes, NumberFormat::fileInteger(project.axesColor()));
    ini.setValue(SectionColors, KeyGrid, NumberFormat::fileInteger(project.gridColor()));
    ini.setValue(SectionColors, KeyGraph, NumberFormat::fileInteger(project.graphColor()));
    ini.setValue(SectionShow, KeyGrid, project.showGrid() ? QStringLiteral("True") : QStringLiteral("False"));
    // The switches are written once they were ever on, so that plain projects stay as they were.
    for (const auto &[key, on] : {std::pair{KeyShowFPrime, project.showFPrime()},
                                  std::pair{KeyShowFSecond, project.showFSecond()}}) {
        if (on || ini.contains(SectionSliders, key))
            ini.setValue(SectionSliders, key, on ? QStringLiteral("True") : QStringLiteral("False"));
    }
    const QMap<QString, SliderRange> ranges = project.sliderRanges();
    for (auto it = ranges.cbegin(); it != ranges.cend(); ++it)
        ini.setValue(SectionSliders, KeyRangePrefix + it.key(), ParameterSlider::rangeText(it.value()));
    const FileWriteResult result = ini.save();
    if (result)
        project.setFile(path);
    return result;
}

ProjectFile::OpenResult ProjectFile::open(FunctionProject &project, const QString &path, QString *reason)
{
    if (!LocalFileName::isFile(path))
        return OpenResult::NoFile;
    const IniFile ini(path, MaxFileBytes);
    if (!ini.readFailure().isEmpty()) {
        if (reason)
            *reason = ini.readFailure();
        return ini.isTooLarge() ? OpenResult::TooLarge : OpenResult::CannotRead;
    }
    if (ini.value(SectionVersion, KeyVersion).isEmpty())
        return OpenResult::NotAProject;
    FileValues values;
    QString fault;
    if (!readValues(ini, values, fault)) {
        if (reason)
            *reason = fault;
        return OpenResult::Unreadable;
    }

    EngineError error;
    Expression f = Expression::parse(values.name, values.param, &error);
    if (f.isNull() || !error.ok()) {
        // The engine's message does not say whether the function or its parameters are at fault.
        if (reason) {
            const QString value = values.param.isEmpty()
                ? values.name
                : values.name + QStringLiteral("; ") + KeyParam + QLatin1Char('=') + values.param;
            *reason = badValue(SectionFunction, KeyName, value, ErrorMessage(error.code));
        }
        return OpenResult::FunctionRejected;
    }

    Expression fPrime = f.derivative();
    Expression fSecond = fPrime.derivative();
    const qint32 affordable = affordableRootSteps(f, fPrime);
    project.setExpressions(std::move(f), std::move(fPrime), std::move(fSecond));
    project.setFile(path);
    project.setFunctionText(values.name);
    project.setParameterText(values.param);
    project.setTitle(values.title);
    project.setXMin(values.xmin);
    project.setXMax(values.xmax);
    project.setYMin(values.ymin);
    project.setYMax(values.ymax);
    project.setRootSteps(qMin(qBound(FunctionProject::MinRootSteps, values.rootSteps, FunctionProject::MaxRootSteps),
                              affordable));
    project.setGraphPoints(qBound(FunctionProject::MinGraphPoints, values.graphPoints, FunctionProject::MaxGraphPoints));
    project.setAxesColor(values.axes);
    project.setGridColor(values.grid);
    project.setGraphColor(values.graph);
    project.setShowGrid(values.showGrid);
    project.setShowFPrime(values.showFPrime);
    project.setShowFSecond(values.showFSecond);
    // A range that cannot be read is left out: its slider gets the default range.
    for (const ParameterValue &parameter : ParameterSlider::parse(project.f().parameters())) {
        SliderRange range;
        if (ParameterSlider::readRange(ini.value(SectionSliders, KeyRangePrefix + parameter.name), range))
            project.setSliderRange(parameter.name, range);
    }
    return OpenResult::Opened;
}

ProjectFile::OpenResult ProjectFile::openFromCommandLine(FunctionProject &project, const QString &path,
                                                         QString *reason)
{
    const QString resolved = commandLinePath(path);
    return resolved.isEmpty() ? OpenResult::NoFile : open(project, resolved, reason);
}

QString ProjectFile::openFailureText(OpenResult result, const QString &reason)
{
    switch (result) {
    case OpenResult::Opened:
        return QString();
    case OpenResult::NoFile:
    case OpenResult::NotAProject:
        return LangText("NoProject", "The file is not a Trevolin project.");
    case OpenResult::CannotRead:
        return reason.isEmpty() ? LangText("CannotRead", "The file cannot be read.")
                                : LangText("CannotRead", "The file cannot be read.") + QLatin1Char('\n') + reason;
    case OpenResult::TooLarge:
        return LangText("ErrorFile", "Error on file opening.") + QLatin1Char('\n')
            + (reason.isEmpty() ? IniFile::tooLargeText(MaxFileBytes) : reason);
    case OpenResult::Unreadable:
    case OpenResult::FunctionRejected:
        break;
    }
    const QString text = LangText("ErrorFile", "Error on file opening.");
    return reason.isEmpty() ? text : text + QLatin1Char('\n') + reason;
}

QString ProjectFile::saveFailureText(const FileWriteResult &result)
{
    return LangText("ErrorSave", "The file could not be saved.") + QLatin1Char('\n') + result.reason;
}

qint32 ProjectFile::affordableRootSteps(const Expression &f, const Expression &fPrime)
{
    const qint64 characters = qint64(f.text().size()) + qint64(fPrime.text().size()) + 1;
    return qint32(qBound(qint64(FunctionProject::MinRootSteps), EvaluationCost::affordableSteps(characters),
                         qint64(FunctionProject::MaxRootSteps)));
}

QString ProjectFile::commandLinePath(const QString &path)
{
    const QString absolute = path.startsWith(QLatin1Char('/'))
        ? path
        : QDir::cleanPath(QDir::currentPath() + QLatin1Char('/') + path);
    return LocalFileName::isFile(absolute) ? absolute : QString();
}
