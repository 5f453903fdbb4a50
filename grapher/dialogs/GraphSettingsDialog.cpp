#include "dialogs/GraphSettingsDialog.h"

#include "core/LangText.h"
#include "core/ProgramSettings.h"
#include "dialogs/ExponentHintWatcher.h"
#include "gui/Colors.h"
#include "ui/CommonDialogs.h"
#include "ui/Help.h"
#include "ui/Skins.h"

#include <QFocusEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QSize SwatchSize(48, 16);

QIcon swatchIcon(qint32 color)
{
    QPixmap pixmap(SwatchSize);
    pixmap.fill(ColorFromValue(color));
    QPainter painter(&pixmap);
    painter.setPen(Qt::darkGray);
    painter.drawRect(0, 0, SwatchSize.width() - 1, SwatchSize.height() - 1);
    return QIcon(pixmap);
}

} // namespace

GraphSettingsDialog::GraphSettingsDialog(FunctionProject &project, std::function<void(bool intervalChanged)> refresh,
                                         QWidget *parent)
    : QDialog(parent), m_model(project), m_refresh(std::move(refresh)), m_xMinEdit(new QLineEdit(this)),
      m_xMaxEdit(new QLineEdit(this)), m_yMinEdit(new QLineEdit(this)), m_yMaxEdit(new QLineEdit(this)),
      m_graphPointsEdit(new QLineEdit(this)), m_rootStepsEdit(new QLineEdit(this)), m_titleEdit(new QLineEdit(this)),
      m_graphSwatch(new QToolButton(this)), m_axesSwatch(new QToolButton(this)), m_gridSwatch(new QToolButton(this)),
      m_errorLabel(new QLabel(this)), m_errorTimer(new QTimer(this)), m_okButton(new QPushButton(this)),
      m_cancelButton(new QPushButton(this)), m_defaultButton(new QPushButton(this)), m_helpButton(new QPushButton(this))
{
    setObjectName(QStringLiteral("Change"));
    setWindowTitle(LangText("Options", "Options"));
    m_xMinEdit->setObjectName(QStringLiteral("txt_xmin"));
    m_xMaxEdit->setObjectName(QStringLiteral("txt_xmax"));
    m_yMinEdit->setObjectName(QStringLiteral("txt_ymin"));
    m_yMaxEdit->setObjectName(QStringLiteral("txt_ymax"));
    m_graphPointsEdit->setObjectName(QStringLiteral("txt_prec"));
    m_rootStepsEdit->setObjectName(QStringLiteral("txt_hiq"));
    m_titleEdit->setObjectName(QStringLiteral("txt_title"));
    m_errorLabel->setObjectName(QStringLiteral("Lbleroare"));

    const QString minimumOf = LangText("MinOf", "Minimum of");
    const QString maximumOf = LangText("MaxOf", "Maximum of");
    m_xMinEdit->setToolTip(minimumOf + QStringLiteral(" X"));
    m_xMaxEdit->setToolTip(maximumOf + QStringLiteral(" X"));
    m_yMinEdit->setToolTip(minimumOf + QStringLiteral(" Y"));
    m_yMaxEdit->setToolTip(maximumOf + QStringLiteral(" Y"));
    m_graphPointsEdit->setToolTip(LangText("NumberPointsGraph", "The number of the points drawn in the graph"));
    m_rootStepsEdit->setToolTip(LangText("NumberIntervals", "The number of the division intervals (used in equation solving)"));
    for (QLineEdit *edit : {m_xMinEdit, m_xMaxEdit, m_yMinEdit, m_yMaxEdit, m_graphPointsEdit, m_rootStepsEdit})
        edit->setAccessibleName(edit->toolTip());

    m_okButton->setText(LangText("Ok", "&Ok"));
    m_cancelButton->setText(LangText("Cancel", "&Cancel"));
    m_defaultButton->setText(LangText("Default", "&Default"));
    m_helpButton->setText(LangText("Help1", "&Help"));
    // Enter applies without closing wherever the focus is, so no button takes it.
    for (QPushButton *button : {m_okButton, m_cancelButton, m_defaultButton, m_helpButton}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }

    buildLayout();
    ApplySkin(this, SkinColorsFor(programSettings().skin));
    // After the skin, which colours every label with its text colour.
    QPalette errorPalette = m_errorLabel->palette();
    errorPalette.setColor(QPalette::WindowText, Qt::red);
    m_errorLabel->setPalette(errorPalette);
    m_errorLabel->setWordWrap(true);
    m_errorLabel->setCursor(Qt::PointingHandCursor);
    m_errorLabel->installEventFilter(this);
    QSizePolicy keepPlace = m_errorLabel->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    m_errorLabel->setSizePolicy(keepPlace);
    m_errorLabel->setMinimumHeight(2 * fontMetrics().lineSpacing());
    m_errorLabel->hide();
    // Text typed as exponent notation gets the same hint as in the calculator.
    (new ExponentHintWatcher(this, m_errorLabel))->ignore(m_titleEdit);
    m_errorTimer->setInterval(ErrorShownMilliseconds);
    connect(m_errorTimer, &QTimer::timeout, this, &GraphSettingsDialog::hideError);

    showFields(m_model.fields());
    m_loading = false;

    for (QLineEdit *edit : {m_xMinEdit, m_xMaxEdit, m_yMinEdit, m_yMaxEdit, m_graphPointsEdit, m_rootStepsEdit, m_titleEdit})
        edit->installEventFilter(this);
    for (QLineEdit *edit : {m_xMinEdit, m_xMaxEdit, m_yMinEdit, m_yMaxEdit, m_graphPointsEdit, m_rootStepsEdit})
        connect(edit, &QLineEdit::textChanged, this, &GraphSettingsDialog::previewSettings);
    // The title is previewed with the next number or colour, never on its own.
    connect(m_titleEdit, &QLineEdit::textChanged, m_titleEdit, &QLineEdit::setToolTip);
    connect(m_graphSwatch, &QToolButton::clicked, this, [this] { chooseColor(Swatch::Graph); });
    connect(m_axesSwatch, &QToolButton::clicked, this, [this] { chooseColor(Swatch::Axes); });
    connect(m_gridSwatch, &QToolButton::clicked, this, [this] { chooseColor(Swatch::Grid); });
    connect(m_okButton, &QPushButton::clicked, this, &GraphSettingsDialog::okClicked);
    connect(m_cancelButton, &QPushButton::clicked, this, &GraphSettingsDialog::reject);
    connect(m_defaultButton, &QPushButton::clicked, this, &GraphSettingsDialog::restoreDefaults);
    connect(m_helpButton, &QPushButton::clicked, this, [this] { ShowHelpTopic(this, QStringLiteral("change.html")); });
}

void GraphSettingsDialog::buildLayout()
{
    auto *bounds = new QGridLayout;
    bounds->addWidget(new QLabel(LangText("MinOf", "Minimum of"), this), 0, 1);
    bounds->addWidget(new QLabel(LangText("MaxOf", "Maximum of"), this), 0, 2);
    bounds->addWidget(new QLabel(QStringLiteral("X"), this), 1, 0);
    bounds->addWidget(m_xMinEdit, 1, 1);
    bounds->addWidget(m_xMaxEdit, 1, 2);
    bounds->addWidget(new QLabel(QStringLiteral("Y"), this), 2, 0);
    bounds->addWidget(m_yMinEdit, 2, 1);
    bounds->addWidget(m_yMaxEdit, 2, 2);
    bounds->setColumnStretch(1, 1);
    bounds->setColumnStretch(2, 1);

    auto *counts = new QFormLayout;
    counts->addRow(LangText("GPoints", "Graph points"), m_graphPointsEdit);
    counts->addRow(LangText("RunSteps", "Run steps"), m_rootStepsEdit);

    auto *colors = new QFormLayout;
    const auto addSwatch = [this, colors](QToolButton *swatch, const QString &caption) {
        swatch->setIconSize(SwatchSize);
        swatch->setFocusPolicy(Qt::StrongFocus);
        swatch->setAccessibleName(caption);
        swatch->setToolTip(caption);
        colors->addRow(caption, swatch);
    };
    addSwatch(m_graphSwatch, LangText("GColor", "Graph color"));
    addSwatch(m_axesSwatch, LangText("AxesColor", "Axes color"));
    addSwatch(m_gridSwatch, LangText("GridColor", "Grid color"));

    auto *middle = new QHBoxLayout;
    middle->addLayout(counts, 1);
    middle->addSpacing(16);
    middle->addLayout(colors);

    auto *titleRow = new QFormLayout;
    titleRow->addRow(LangText("GTitle", "Graph title"), m_titleEdit);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_defaultButton);
    buttons->addWidget(m_helpButton);
    buttons->addStretch();
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bounds);
    layout->addSpacing(8);
    layout->addLayout(middle);
    layout->addLayout(titleRow);
    layout->addWidget(m_errorLabel);
    layout->addLayout(buttons);

    QWidget *order[] = {m_xMinEdit,    m_xMaxEdit,   m_yMinEdit,   m_yMaxEdit,      m_graphPointsEdit,
                        m_rootStepsEdit, m_graphSwatch, m_axesSwatch, m_gridSwatch,   m_titleEdit,
                        m_okButton,    m_cancelButton, m_defaultButton, m_helpButton};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    setMinimumWidth(440);
}

QLineEdit *GraphSettingsDialog::edit(GraphSettingsField field) const
{
    switch (field) {
    case GraphSettingsField::XMin:
        return m_xMinEdit;
    case GraphSettingsField::XMax:
        return m_xMaxEdit;
    case GraphSettingsField::YMin:
        return m_yMinEdit;
    case GraphSettingsField::YMax:
        return m_yMaxEdit;
    case GraphSettingsField::GraphPoints:
        return m_graphPointsEdit;
    case GraphSettingsField::RootSteps:
        return m_rootStepsEdit;
    case GraphSettingsField::None:
        break;
    }
    return nullptr;
}

QToolButton *GraphSettingsDialog::swatch(Swatch which) const
{
    switch (which) {
    case Swatch::Graph:
        return m_graphSwatch;
    case Swatch::Axes:
        return m_axesSwatch;
    case Swatch::Grid:
        break;
    }
    return m_gridSwatch;
}

qint32 GraphSettingsDialog::swatchColor(Swatch which) const
{
    switch (which) {
    case Swatch::Graph:
        return m_graphColor;
    case Swatch::Axes:
        return m_axesColor;
    case Swatch::Grid:
        break;
    }
    return m_gridColor;
}

void GraphSettingsDialog::setSwatchColor(Swatch which, qint32 color)
{
    switch (which) {
    case Swatch::Graph:
        m_graphColor = color;
        break;
    case Swatch::Axes:
        m_axesColor = color;
        break;
    case Swatch::Grid:
        m_gridColor = color;
        break;
    }
    swatch(which)->setIcon(swatchIcon(color));
}

GraphSettingsFields GraphSettingsDialog::fields() const
{
    GraphSettingsFields fields;
    fields.xMin = m_xMinEdit->text();
    fields.xMax = m_xMaxEdit->text();
    fields.yMin = m_yMinEdit->text();
    fields.yMax = m_yMaxEdit->text();
    fields.graphPoints = m_graphPointsEdit->text();
    fields.rootSteps = m_rootStepsEdit->text();
    fields.title = m_titleEdit->text();
    fields.graphColor = m_graphColor;
    fields.axesColor = m_axesColor;
    fields.gridColor = m_gridColor;
    return fields;
}

void GraphSettingsDialog::showFields(const GraphSettingsFields &fields)
{
    m_xMinEdit->setText(fields.xMin);
    m_xMaxEdit->setText(fields.xMax);
    m_yMinEdit->setText(fields.yMin);
    m_yMaxEdit->setText(fields.yMax);
    m_graphPointsEdit->setText(fields.graphPoints);
    m_rootStepsEdit->setText(fields.rootSteps);
    m_titleEdit->setText(fields.title);
    m_titleEdit->setToolTip(fields.title);
    setSwatchColor(Swatch::Graph, fields.graphColor);
    setSwatchColor(Swatch::Axes, fields.axesColor);
    setSwatchColor(Swatch::Grid, fields.gridColor);
}

void GraphSettingsDialog::takeOutcome(const GraphSettingsOutcome &outcome)
{
    if (!outcome.message.isEmpty())
        showError(outcome.message);
    else if (outcome.accepted())
        hideError();   // a message that no longer applies goes at once
    if (outcome.changed && m_refresh)
        m_refresh(outcome.intervalChanged);
}

void GraphSettingsDialog::previewSettings()
{
    if (m_loading)
        return;
    takeOutcome(m_model.preview(fields()));
}

bool GraphSettingsDialog::applySettings()
{
    const GraphSettingsOutcome outcome = m_model.apply(fields());
    takeOutcome(outcome);
    if (!outcome.accepted()) {
        focusField(outcome.faultyField, outcome.caret);
        return false;
    }
    return true;
}

void GraphSettingsDialog::okClicked()
{
    if (applySettings())
        accept();
}

void GraphSettingsDialog::focusField(GraphSettingsField field, int caret)
{
    QLineEdit *faulty = edit(field);
    if (!faulty)
        return;
    faulty->setFocus(Qt::OtherFocusReason);
    if (caret >= 0)
        faulty->setCursorPosition(caret);
    else
        faulty->selectAll();
}

void GraphSettingsDialog::chooseColor(Swatch which)
{
    const qint32 current = swatchColor(which);
    const QColor initial = ColorFromValue(current);
    const QColor chosen = ColorDialog(this, initial);
    // The same colour keeps its stored value (a system colour stays one).
    if (chosen != initial)
        setSwatchColor(which, ColorValue(chosen));
    previewSettings();
}

void GraphSettingsDialog::restoreDefaults()
{
    m_loading = true;
    showFields(m_model.defaultFields());
    m_loading = false;
    previewSettings();
}

void GraphSettingsDialog::reject()
{
    const GraphSettingsOutcome outcome = m_model.cancel();
    if (outcome.changed && m_refresh)
        m_refresh(outcome.intervalChanged);
    QDialog::reject();
}

void GraphSettingsDialog::showError(const QString &message)
{
    m_errorLabel->setText(message);
    m_errorLabel->show();
    m_errorTimer->start();
}

void GraphSettingsDialog::hideError()
{
    m_errorLabel->hide();
    m_errorTimer->stop();
}

void GraphSettingsDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        applySettings();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool GraphSettingsDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_errorLabel) {
        if (event->type() == QEvent::MouseButtonRelease
            && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
            applySettings();
            return true;
        }
        return QDialog::eventFilter(watched, event);
    }
    if (event->type() == QEvent::FocusIn) {
        auto *field = qobject_cast<QLineEdit *>(watched);
        if (field) {
            // A click places the caret after the focus arrives, so the selection waits for it.
            if (static_cast<QFocusEvent *>(event)->reason() == Qt::MouseFocusReason)
                QTimer::singleShot(0, field, &QLineEdit::selectAll);
            else
                field->selectAll();
        }
    }
    return QDialog::eventFilter(watched, event);
}
