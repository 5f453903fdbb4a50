#include "dialogs/DeriveDialog.h"

#include "core/LangText.h"
#include "core/ProgramSettings.h"
#include "project/FunctionProject.h"
#include "ui/Help.h"
#include "ui/Skins.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

bool isControlN(const QEvent *event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return false;
    const auto *key = static_cast<const QKeyEvent *>(event);
    return key->key() == Qt::Key_N && (key->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
}

} // namespace

DeriveDialog::DeriveDialog(FunctionProject &project, std::function<void(std::unique_ptr<FunctionProject>)> openProject,
                           QWidget *parent)
    : QDialog(parent), m_model(project), m_openProject(std::move(openProject)),
      m_okButton(new QPushButton(LangText("Ok", "&Ok"), this)),
      m_helpButton(new QPushButton(LangText("Help1", "&Help"), this))
{
    setObjectName(QStringLiteral("Der"));
    setWindowTitle(LangText("Derive", "Derive"));
    const QString captions[DeriveModel::FunctionCount] = {QStringLiteral("f(x) ="), QStringLiteral("f' (x) ="),
                                                          QStringLiteral("f'' (x) =")};
    auto *form = new QFormLayout;
    for (int i = 0; i < DeriveModel::FunctionCount; ++i) {
        QLineEdit *box = new QLineEdit(m_model.text(i), this);
        box->setObjectName(QStringLiteral("txt_f%1").arg(i));
        box->setReadOnly(true);
        box->setToolTip(box->text());
        box->setAccessibleName(captions[i]);
        box->setCursorPosition(0);
        box->installEventFilter(this);
        form->addRow(captions[i], box);
        m_boxes[i] = box;
    }

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_helpButton);
    buttons->addStretch();
    buttons->addWidget(m_okButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    setMinimumWidth(420);
    ApplySkin(this, SkinColorsFor(programSettings().skin));

    m_okButton->setDefault(true);
    connect(m_okButton, &QPushButton::clicked, this, &DeriveDialog::accept);
    connect(m_helpButton, &QPushButton::clicked, this, [this] { ShowHelpTopic(this, QStringLiteral("derive.html")); });
}

QLineEdit *DeriveDialog::functionBox(int index) const
{
    return index >= 0 && index < DeriveModel::FunctionCount ? m_boxes[index] : nullptr;
}

void DeriveDialog::openAsProject(int index)
{
    std::unique_ptr<FunctionProject> project = m_model.newProject(index);
    if (!project)
        return;
    accept();
    if (m_openProject)
        m_openProject(std::move(project));
}

bool DeriveDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (isControlN(event)) {
        for (int i = 0; i < DeriveModel::FunctionCount; ++i) {
            if (watched != m_boxes[i])
                continue;
            // Claimed here, before any window's Ctrl+N shortcut can take it.
            event->accept();
            if (event->type() == QEvent::KeyPress)
                openAsProject(i);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
