#include "dialogs/ExtremaDialog.h"

#include "core/LangText.h"
#include "core/ProgramSettings.h"
#include "dialogs/PointMarker.h"
#include "dialogs/ReportSaver.h"
#include "graph/GraphPane.h"
#include "project/FunctionProject.h"
#include "ui/Help.h"
#include "ui/Skins.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

ExtremaDialog::ExtremaDialog(FunctionProject &project, GraphPane &pane, std::function<void()> graphChanged,
                             QWidget *parent)
    : QDialog(parent), m_project(project), m_pane(pane), m_graphChanged(std::move(graphChanged)), m_model(project),
      m_list(new QTableWidget(this)), m_resultLabel(new QLabel(this)),
      m_saveButton(new QPushButton(LangText("Save", "&Save"), this)),
      m_okButton(new QPushButton(LangText("Ok", "&Ok"), this)),
      m_helpButton(new QPushButton(LangText("Help1", "&Help"), this))
{
    setObjectName(QStringLiteral("Extrem"));
    setWindowTitle(LangText("FindExtrema", "Find extrema"));
    m_list->setObjectName(QStringLiteral("LstRoot"));
    m_resultLabel->setObjectName(QStringLiteral("lblResult"));
    m_resultLabel->setWordWrap(true);
    m_resultLabel->setText(m_model.resultText());

    m_list->setColumnCount(3);
    m_list->setHorizontalHeaderLabels({QStringLiteral("x"), QStringLiteral("f(x) "), LangText("Type", "Type")});
    m_list->verticalHeader()->hide();
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    // Filled in one go, without a repaint per row.
    m_list->setUpdatesEnabled(false);
    const QVector<ExtremumRow> &rows = m_model.rows();
    m_list->setRowCount(static_cast<int>(rows.size()));
    for (int i = 0; i < rows.size(); ++i) {
        m_list->setItem(i, 0, new QTableWidgetItem(rows.at(i).x));
        m_list->setItem(i, 1, new QTableWidgetItem(rows.at(i).value));
        m_list->setItem(i, 2, new QTableWidgetItem(rows.at(i).type));
    }
    m_list->setUpdatesEnabled(true);

    buildLayout();
    ApplySkin(this, SkinColorsFor(programSettings().skin));
    connect(m_list, &QTableWidget::currentCellChanged, this, [this](int row) { markRow(row); });
    connect(m_list, &QTableWidget::cellClicked, this, [this](int row) { markRow(row); });
    connect(m_saveButton, &QPushButton::clicked, this, &ExtremaDialog::saveReport);
    connect(m_okButton, &QPushButton::clicked, this, &ExtremaDialog::accept);
    connect(m_helpButton, &QPushButton::clicked, this, [this] { ShowHelpTopic(this, QStringLiteral("extrema.html")); });
}

void ExtremaDialog::buildLayout()
{
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_helpButton);
    buttons->addStretch();
    buttons->addWidget(m_saveButton);
    buttons->addWidget(m_okButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_resultLabel);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    m_okButton->setDefault(true);
    if (m_model.count() == 0) {
        // Nothing to list or save: the explanation alone, and OK where Save would be.
        m_list->hide();
        m_saveButton->hide();
        m_helpButton->hide();
        layout->addStretch();
    }
    setMinimumWidth(440);
}

void ExtremaDialog::markRow(int row)
{
    if (row < 0 || row >= m_model.count())
        return;
    const Extremum &extremum = m_model.extrema().at(row);
    m_pane.refresh(false);
    PointMarker::draw(m_pane.surface(), extremum.x, extremum.y);
    if (m_graphChanged)
        m_graphChanged();
}

bool ExtremaDialog::saveReport()
{
    if (m_model.count() == 0)
        return false;
    return ReportSaver::saveExtremaReport(m_project, m_model.rows(), this);
}

void ExtremaDialog::done(int result)
{
    m_pane.refresh(false);
    if (m_graphChanged)
        m_graphChanged();
    QDialog::done(result);
}
