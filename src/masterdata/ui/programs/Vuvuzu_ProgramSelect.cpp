#include "masterdata/ui/programs/Vuvuzu_ProgramSelect.h"

#include "core/frame/FrameGlobals.h"
#include "core/lists/FillProgramTree.h"
#include "platform/runtime/Messages.h"
#include "platform/runtime/Translator.h"

#include <QDialogButtonBox>
#include <QEventLoop>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <vector>

namespace tarvo::masterdata::ui {

namespace {
constexpr int IdRole = Qt::UserRole + 1;
}

Vuvuzu_ProgramSelect::Vuvuzu_ProgramSelect(Context &context, data::Session &session, int mode,
                                           const QString &value, QObject *parent)
    : WindowManager(context, QStringLiteral("Vuvuzu_ProgramSelect"), parent), m_session(session), m_mode(mode)
{
    if (mode == 2)
        m_choice = ProgramChoice::parse(value);
    build();
}

QString Vuvuzu_ProgramSelect::run(Context &context, data::Session &session, int mode, const QString &value)
{
    auto *picker = new Vuvuzu_ProgramSelect(context, session, mode, value);
    picker->setDeleteOnClose(false);
    picker->window()->setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    connect(picker, &WindowManager::closed, &loop, &QEventLoop::quit);
    QString result;
    if (picker->open())
        loop.exec();
    result = picker->result();
    delete picker;
    return result;
}

void Vuvuzu_ProgramSelect::build()
{
    auto *window = new QWidget;
    window->setWindowTitle(m_mode == 1   ? QStringLiteral("Add Program...")
                           : m_mode == 2 ? QStringLiteral("Change Program...")
                                         : QStringLiteral("Programm"));
    auto *layout = new QVBoxLayout(window);
    auto *tabs = new QTabWidget;
    auto *general = new QWidget;
    auto *rows = new QVBoxLayout(general);
    rows->addWidget(new QLabel(QStringLiteral("Program:")));
    m_tree = new QTreeWidget;
    m_tree->setObjectName(QStringLiteral("PRGLOC"));
    m_tree->setHeaderHidden(true);
    rows->addWidget(m_tree);
    tabs->addTab(general, QStringLiteral("General"));
    layout->addWidget(tabs);
    auto *buttons = new QDialogButtonBox;
    auto *ok = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OK"));
    auto *cancel = buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("Cancel"));
    layout->addWidget(buttons);
    setWindow(window);
    acceptOn(ok);
    acceptOn(cancel);
    connect(m_tree, &QTreeWidget::itemClicked, this, [this]() { choose(); });
    connect(m_tree, &QTreeWidget::itemActivated, this, [this]() { choose(); });
}

bool Vuvuzu_ProgramSelect::open()
{
    fillTree();
    return WindowManager::open();
}

// The rows come in tree order with their depth: each hangs below the last row one level up.
void Vuvuzu_ProgramSelect::fillTree()
{
    core::ProgramTreeQueue queue;
    if (auto filled = core::FillProgramTree(
            m_session, core::FrameGlobals::instance().secP(),
            [](const QString &text) { return Translator::instance().translate(text); }, queue);
        !filled)
        Messages::show(filled.error().message, QStringLiteral("Tarvo"), MessageIcon::Exclamation);
    std::vector<QTreeWidgetItem *> parents;
    for (const core::ProgramTreeQueueEntry &entry : queue.rows()) {
        const int level = std::abs(entry.level);
        parents.resize(size_t(std::max(level, 1) - 1));
        auto *item = parents.empty() ? new QTreeWidgetItem(m_tree) : new QTreeWidgetItem(parents.back());
        item->setText(0, entry.prgName);
        item->setData(0, IdRole, entry.id);
        parents.push_back(item);
        if (entry.id == m_choice.id && m_choice.isProgram())
            m_tree->setCurrentItem(item);
    }
    m_tree->expandAll();
}

void Vuvuzu_ProgramSelect::choose()
{
    QTreeWidgetItem *item = m_tree->currentItem();
    const qint64 id = item ? item->data(0, IdRole).toLongLong() : 0;
    if (id <= 0) {
        // The root row "Programs" is no program.
        Messages::beep(MessageIcon::Exclamation);
        m_choice = {};
        m_tree->setCurrentItem(nullptr);
        m_tree->setFocus();
        return;
    }
    m_choice = {item->text(0), id};
}

void Vuvuzu_ProgramSelect::takeAccepted(const QString &controlName)
{
    if (controlName.compare(QStringLiteral("Cancel"), Qt::CaseInsensitive) == 0) {
        m_result.clear();
        close();
        return;
    }
    if (controlName.compare(QStringLiteral("OK"), Qt::CaseInsensitive) != 0) {
        WindowManager::takeAccepted(controlName);
        return;
    }
    if (!m_choice.isProgram()) {
        Messages::beep(MessageIcon::Exclamation);
        Messages::show(Translator::instance().translate(QStringLiteral("Please choose a program.")),
                       QStringLiteral("Tarvo"), MessageIcon::Exclamation);
        m_tree->setFocus();
        return;
    }
    m_result = m_choice.text();
    setResponse(Response::Completed);
    close();
}

} // namespace tarvo::masterdata::ui
