#include "masterdata/ui/options/SelectFields.h"

#include "platform/runtime/Translator.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFont>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace tarvo::masterdata::ui {

namespace {

SelectFields::Picker &picker()
{
    static SelectFields::Picker p;
    return p;
}

QStringList bugFields()
{
    QStringList names = {"BUG:ID",
                         "BUG:Identifier",
                         "BUG:Category",
                         "BUG:Description",
                         "BUG:Status",
                         "BUG:Priority",
                         "BUG:Severity",
                         "BUG:Classification",
                         "BUG:Version",
                         "BUG:Programfile",
                         "BUG:Responsible",
                         "BUG:EstTime",
                         "BUG:ActTime",
                         "BUG:DueDate",
                         "BUG:ReportedBy",
                         "BUG:ReportedByID",
                         "BUG:ReportedByContact",
                         "BUG:ReportedByCID",
                         "BUG:ReportedDate",
                         "BUG:FixedBy",
                         "BUG:FixedDate",
                         "BUG:FixedVersion",
                         "BUG:VerifiedBy",
                         "BUG:VerifiedDate",
                         "BUG:VerifiedVersion",
                         "BUG:StartTime",
                         "BUG:EndTime",
                         "BUG:Hardware",
                         "BUG:OperatingSystem",
                         "BUG:OperatingSystemServicePack",
                         "BUG:Network",
                         "BUG:NetworkType",
                         "BUG:EnvironmentText",
                         "BUG:BugText",
                         "BUG:RecreateText",
                         "BUG:WorkaroundText",
                         "BUG:ResolutionText",
                         "BUG:ReleaseNotes",
                         "BUG:VerifiedText",
                         "BUG:TestingText",
                         "BUG:Reproducible",
                         "BUG:Resolution"};
    for (int n = 1; n <= 10; ++n)
        names << QStringLiteral("BUG:CustomField%1").arg(n);
    names << QStringList{"BUG:CreateDate",        "BUG:CreateTime",          "BUG:CreatedBy",
                         "BUG:ChangedDate",       "BUG:ChangedTime",         "BUG:ChangedBy",
                         "BUG:PrgName",           "BUG:ResponsibleUserName", "BUG:FixedByUserName",
                         "BUG:VerifiedByUserName"};
    return names;
}

} // namespace

void SelectFields::setPicker(Picker p)
{
    picker() = std::move(p);
}

QStringList SelectFields::names(int mode)
{
    QStringList names;
    if (mode == 1)
        names = bugFields();
    else if (mode == 99)
        names = {"Logged_In_UserInitials", "Logged_In_UserName", "Newest_Version", "Time", "Date"};
    std::sort(names.begin(), names.end());
    return names;
}

QString SelectFields::pick(int wrap, int mode, QWidget *parent)
{
    if (picker())
        return picker()(wrap, mode);
    const auto tr = [](const char *text) {
        return Translator::instance().translate(QString::fromLatin1(text));
    };
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("SelectFields"));
    dialog.setWindowTitle(tr("Available fields"));
    auto *layout = new QVBoxLayout(&dialog);
    auto *tabs = new QTabWidget;
    auto *list = new QTreeWidget;
    list->setObjectName(QStringLiteral("FieldList"));
    list->setHeaderLabels({tr("Field")});
    list->setRootIsDecorated(false);
    if (mode == 1) {
        auto *group = new QTreeWidgetItem(list, {QStringLiteral("Bugs")});
        QFont bold = group->font(0);
        bold.setWeight(QFont::Bold);
        group->setFont(0, bold);
        group->setFlags(Qt::ItemIsEnabled);
    }
    for (const QString &name : names(mode))
        new QTreeWidgetItem(list, {name});
    tabs->addTab(list, tr("Field"));
    layout->addWidget(tabs);
    auto *buttons = new QDialogButtonBox;
    auto *select = buttons->addButton(tr("&Select"), QDialogButtonBox::AcceptRole);
    select->setObjectName(QStringLiteral("Select"));
    buttons->addButton(tr("&Close"), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("Close"));
    layout->addWidget(buttons);
    const auto chosen = [list]() {
        const QTreeWidgetItem *item = list->currentItem();
        return item && (item->flags() & Qt::ItemIsSelectable) ? item->text(0) : QString();
    };
    QObject::connect(list, &QTreeWidget::currentItemChanged, select,
                     [select, chosen]() { select->setEnabled(!chosen().isEmpty()); });
    QObject::connect(list, &QTreeWidget::itemDoubleClicked, &dialog, [&dialog, chosen]() {
        if (!chosen().isEmpty())
            dialog.accept();
    });
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    list->setCurrentItem(list->topLevelItem(mode == 1 ? 1 : 0));
    dialog.resize(320, 420);
    if (dialog.exec() != QDialog::Accepted || chosen().isEmpty())
        return {};
    const QString name = chosen().trimmed();
    return wrap == 1 ? QLatin1Char('^') + name + QLatin1Char('^') : name;
}

} // namespace tarvo::masterdata::ui
