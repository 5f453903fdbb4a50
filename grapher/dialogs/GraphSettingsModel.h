#pragma once
// What the graph settings dialog does, without the dialog: the texts its fields start from, the
// checks of what the user typed (bounds are constant expressions such as "2*pi", evaluated by the
// engine), the live preview that writes accepted values into the project, and Cancel, which
// puts the project back as it was when the dialog opened.
//
// The model changes the project but never redraws: each outcome says whether the project
// changed and whether the x interval or the root-finding steps did (which empties the graph
// window's roots list); the dialog hands that to the window's refresh.
#include "project/FunctionProject.h"

#include <QLocale>
#include <QString>
#include <QtGlobal>

// The contents of the dialog's fields: the texts as typed and the swatches' colours (0x00BBGGRR).
struct GraphSettingsFields {
    QString xMin;
    QString xMax;
    QString yMin;
    QString yMax;
    QString graphPoints;
    QString rootSteps;
    QString title;
    qint32 graphColor = 0;
    qint32 axesColor = 0;
    qint32 gridColor = 0;
};

// The fields that can be refused, in the order they are checked.
enum class GraphSettingsField { None, XMin, XMax, YMin, YMax, GraphPoints, RootSteps };

// What a preview, an apply or Cancel did.
struct GraphSettingsOutcome {
    GraphSettingsField faultyField = GraphSettingsField::None;   // the first refused field
    QString message;          // for the error label; empty when there is nothing to show
    int caret = -1;           // apply only: caret position in the faulty field; -1 selects its text
    bool changed = false;     // the project took new values, so the graph must be redrawn
    bool intervalChanged = false;   // ... among them the x interval or the root-finding steps
    bool accepted() const { return faultyField == GraphSettingsField::None; }
};

class GraphSettingsModel {
public:
    // Fixed values of the Default button (not the start-up settings of new projects).
    static constexpr double DefaultBound = 10;
    static constexpr qint32 DefaultGraphPoints = 200;
    static constexpr qint32 DefaultRootSteps = 1000;

    // Keeps `project` (not owned; it must outlive the model) and a backup of its view and
    // presentation for cancel().
    explicit GraphSettingsModel(FunctionProject &project);

    // The fields as the dialog opens: the project's values.
    GraphSettingsFields fields(const QLocale &locale = QLocale()) const;
    // The fields after Default: [-10, 10] both ways, 200 points, 1000 steps, the title made from
    // the function text, a red curve, black axes and a light grey grid.
    GraphSettingsFields defaultFields(const QLocale &locale = QLocale()) const;

    // A field edit: checks every field and, when all pass, gives the project the new values.
    // A refusal comes with the message of the first faulty field.
    GraphSettingsOutcome preview(const GraphSettingsFields &fields);
    // OK, Enter or a click on the error label: the same checks, but a refused count or interval
    // only names its field (the focus goes there, the preview already told why); an empty field
    // says "Type a value." and an expression error gives its message and where the caret goes.
    GraphSettingsOutcome apply(const GraphSettingsFields &fields);
    // Cancel: the project takes back the values it had when the model was made.
    GraphSettingsOutcome cancel();

    // A bound as its field shows it: the general format in the user's notation, always in a form
    // that the engine reads back (plain digits, never an exponent, since "e" is Euler's number).
    static QString boundText(double value, const QLocale &locale = QLocale());
    // The count a text stands for: a number in the user's notation (or with "."), rounded to the
    // nearest integer, a half going to the even neighbour. False when it is no number or the
    // count lies outside [minimum, maximum].
    static bool parseCount(const QString &text, qint32 minimum, qint32 maximum, qint32 &count);

    // The messages of the refused lengths and counts, in the current language.
    static QString lengthMessage(const QString &prefix);
    static QString graphPointsMessage();
    static QString rootStepsMessage();
    static QString typeValueMessage();

private:
    enum class Mode { Preview, Apply };
    GraphSettingsOutcome check(const GraphSettingsFields &fields, Mode mode, FunctionProject &scratch) const;
    GraphSettingsOutcome update(const GraphSettingsFields &fields, Mode mode);
    // The value of a bound field; a text left as the dialog showed the project's value keeps
    // that exact value (the shown text carries only 15 digits).
    bool evaluateBound(const QString &text, double current, Mode mode, GraphSettingsField field, double &value,
                       GraphSettingsOutcome &outcome) const;

    FunctionProject &m_project;
    FunctionProject m_backup;   // view and presentation only, no expressions
};
