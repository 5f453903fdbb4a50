#pragma once
// The command line of trevsolve, read into plain values. Nothing here touches the engine, so
// --help, --version and usage mistakes are answered before the engine library is loaded.
//
// Only arguments that start with "--" (and -h) are options. Any other argument, including one
// that starts with a single "-", is a positional argument, so negative bounds such as -10 or -pi
// need no quoting tricks. "--" ends the options.
#include <QString>
#include <QStringList>
#include <QtGlobal>

class SolverOptions {
public:
    // The root-finding steps when neither --steps nor a project file gives them.
    static constexpr qint32 DefaultRootSteps = 1000;

    // Reads the arguments after the program name. False on a usage mistake, with `error` saying
    // what is wrong.
    bool parse(const QStringList &arguments, QString *error);

    // The text of --help.
    static QString usageText();

    bool helpRequested() const { return m_help; }
    bool versionRequested() const { return m_version; }

    // Either a project file or the function with the two interval bounds (constant expressions).
    bool usesProject() const { return !m_projectFile.isEmpty(); }
    QString projectFile() const { return m_projectFile; }
    QString functionText() const { return m_functionText; }
    QString parameterText() const { return m_parameterText; }
    QString xMinText() const { return m_xMinText; }
    QString xMaxText() const { return m_xMaxText; }

    // The steps asked for with --steps, or 0 when not given.
    qint32 requestedSteps() const { return m_steps; }

    bool wantsExtrema() const { return m_extrema; }
    bool wantsIntegral() const { return m_integral; }
    bool wantsDerivatives() const { return m_derivatives; }
    bool wantsJson() const { return m_json; }
    // The --at abscissas in command-line order, as constant expressions.
    QStringList pointTexts() const { return m_pointTexts; }

private:
    bool parseArguments(const QStringList &arguments, QString *error);
    // The flag behind an option without value, or null for a name that is no such option.
    bool *switchNamed(const QString &name);
    bool takeValue(const QString &option, const QStringList &arguments, int &index, QString &value, QString *error);

    QString m_projectFile;
    QString m_functionText;
    QString m_parameterText;
    QString m_xMinText;
    QString m_xMaxText;
    QStringList m_pointTexts;
    qint32 m_steps = 0;
    bool m_hasParameters = false;
    bool m_extrema = false;
    bool m_integral = false;
    bool m_derivatives = false;
    bool m_json = false;
    bool m_help = false;
    bool m_version = false;
};
