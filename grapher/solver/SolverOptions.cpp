#include "solver/SolverOptions.h"

#include "project/FunctionProject.h"

namespace {

const QString OptionPrefix = QStringLiteral("--");

// The option's name without its "=value" ("--steps=500" -> "--steps").
QString optionName(const QString &argument)
{
    const int equals = argument.indexOf(QLatin1Char('='));
    return equals < 0 ? argument : argument.left(equals);
}

} // namespace

bool *SolverOptions::switchNamed(const QString &name)
{
    if (name == QLatin1String("--extrema"))
        return &m_extrema;
    if (name == QLatin1String("--integral"))
        return &m_integral;
    if (name == QLatin1String("--derivatives"))
        return &m_derivatives;
    if (name == QLatin1String("--json"))
        return &m_json;
    if (name == QLatin1String("--help"))
        return &m_help;
    if (name == QLatin1String("--version"))
        return &m_version;
    return nullptr;
}

bool SolverOptions::takeValue(const QString &option, const QStringList &arguments, int &index, QString &value,
                              QString *error)
{
    const QString &argument = arguments.at(index);
    if (argument.size() > option.size()) {
        value = argument.mid(option.size() + 1);
        return true;
    }
    // The next argument is the value whatever it looks like, so "--at -1" works.
    if (index + 1 >= arguments.size()) {
        *error = QStringLiteral("%1 needs a value.").arg(option);
        return false;
    }
    value = arguments.at(++index);
    return true;
}

bool SolverOptions::parse(const QStringList &arguments, QString *error)
{
    QString mistake;
    if (parseArguments(arguments, &mistake))
        return true;
    // Help and version answer whatever else the line holds, mistakes included, also where the
    // reading stopped before them.
    for (const QString &argument : arguments) {
        if (argument == OptionPrefix)
            break;
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h"))
            m_help = true;
        else if (argument == QLatin1String("--version"))
            m_version = true;
    }
    if (m_help || m_version)
        return true;
    if (error)
        *error = mistake;
    return false;
}

bool SolverOptions::parseArguments(const QStringList &arguments, QString *error)
{
    QStringList positional;
    bool optionsEnded = false;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (optionsEnded || !argument.startsWith(OptionPrefix)) {
            if (!optionsEnded && argument == QLatin1String("-h"))
                m_help = true;
            else
                positional << argument;
            continue;
        }
        if (argument == OptionPrefix) {
            optionsEnded = true;
            continue;
        }
        const QString name = optionName(argument);
        const bool hasInlineValue = name.size() < argument.size();
        QString value;
        if (name == QLatin1String("--params")) {
            if (!takeValue(name, arguments, i, m_parameterText, error))
                return false;
            m_hasParameters = true;
        } else if (name == QLatin1String("--steps")) {
            if (!takeValue(name, arguments, i, value, error))
                return false;
            bool ok = false;
            m_steps = value.trimmed().toInt(&ok);
            if (!ok || m_steps <= 0) {
                m_steps = 0;
                *error = QStringLiteral("--steps needs a positive whole number (steps are kept within %1..%2), not \"%3\".")
                             .arg(FunctionProject::MinRootSteps)
                             .arg(FunctionProject::MaxRootSteps)
                             .arg(value);
                return false;
            }
        } else if (name == QLatin1String("--at")) {
            if (!takeValue(name, arguments, i, value, error))
                return false;
            m_pointTexts << value;
        } else if (name == QLatin1String("--project")) {
            if (!takeValue(name, arguments, i, m_projectFile, error))
                return false;
            if (m_projectFile.isEmpty()) {
                *error = QStringLiteral("--project needs a file name.");
                return false;
            }
        } else {
            bool *flag = switchNamed(name);
            if (!flag) {
                *error = QStringLiteral("Unknown option %1.").arg(name);
                return false;
            }
            if (hasInlineValue) {
                *error = QStringLiteral("%1 takes no value.").arg(name);
                return false;
            }
            *flag = true;
        }
    }

    // Help and version need nothing else; parse() answers them whatever else the line holds.
    if (m_help || m_version)
        return true;
    if (usesProject()) {
        // The project file holds the function, its parameters and the interval.
        if (!positional.isEmpty()) {
            *error = QStringLiteral("With --project, give no FUNCTION XMIN XMAX.");
            return false;
        }
        if (m_hasParameters) {
            *error = QStringLiteral("With --project, the parameters come from the file; --params is not allowed.");
            return false;
        }
        return true;
    }
    if (positional.size() != 3) {
        *error = positional.isEmpty() ? QStringLiteral("Give FUNCTION XMIN XMAX, or --project FILE.")
                                      : QStringLiteral("Expected FUNCTION XMIN XMAX, got %1 argument(s).")
                                            .arg(positional.size());
        return false;
    }
    m_functionText = positional.at(0);
    m_xMinText = positional.at(1);
    m_xMaxText = positional.at(2);
    return true;
}

QString SolverOptions::usageText()
{
    return QStringLiteral(
        "Usage: trevsolve [options] FUNCTION XMIN XMAX\n"
        "       trevsolve [options] --project FILE.tvp\n"
        "\n"
        "Finds the roots of FUNCTION(x) = 0 on [XMIN, XMAX]. XMIN and XMAX are constant\n"
        "expressions such as -10, -pi or 2*pi. Arguments that start with a single \"-\" are\n"
        "values, not options; \"--\" ends the options.\n"
        "\n"
        "Options:\n"
        "  --params \"a=2; b=4\"  values of the parameters used in FUNCTION\n"
        "  --steps N            root-finding steps (default 1000, kept within 100..50000);\n"
        "                       with --project it replaces the steps of the file\n"
        "  --extrema            also list the local extrema: x, f(x), minimum or maximum\n"
        "  --integral           also integrate FUNCTION over [XMIN, XMAX]\n"
        "  --at X               also evaluate f, f' and f'' at X (a constant expression);\n"
        "                       may be repeated\n"
        "  --derivatives        also print f' and f''\n"
        "  --project FILE       take function, parameters, interval and steps from a project\n"
        "  --json               write one JSON object with full-precision numbers\n"
        "  -h, --help           show this text\n"
        "  --version            show the version\n"
        "\n"
        "Plain output: a line with the number of roots, then one root per line rounded to\n"
        "8 decimals; each further section follows after an empty line. In JSON, engine\n"
        "errors appear as {\"error\": code, \"message\": text} and infinite or undefined\n"
        "values as the strings \"Infinity\", \"-Infinity\" and \"NaN\". A section that\n"
        "needs a derivative the engine could not form is null and followed by a member\n"
        "named after it with \"Error\" (\"extremaError\"). An integral across a pole is\n"
        "{\"pole\": x, \"message\": text}.\n"
        "\n"
        "Exit status: 0 on success, 2 for a usage mistake or input the engine rejects\n"
        "(the message shows where), 3 when the engine could not form f' or f'' and the\n"
        "answer is computed only in part, 1 when the math engine cannot be loaded or\n"
        "the output cannot be written.\n");
}
