// The main window's menu tree and the captions it takes from the text table.

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "platform/forms/Handlers.h"
#include "transfer/FormHTTP.h"

#include <QAction>
#include <QApplication>
#include <QHash>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

#include <utility>

namespace {

enum class State { Normal, Disabled, Checked, Hidden };

// One row of the menu tree, in menu order. Top-level menus have level 0;
// separators have no name. textNumber 0 keeps the design caption.
struct MenuRow {
    int level;
    const char* name;
    const char* designCaption;
    int textNumber;
    const char* shortcut;
    State state;
};

constexpr MenuRow MenuTree[] = {
    {0, "MenuFile", "&File", 199, "", State::Normal},
    {1, "MenuNew", "&New", 176, "Ctrl+N", State::Normal},
    {1, "MenuOpen", "&Open...", 177, "Ctrl+O", State::Normal},
    {1, nullptr, nullptr, 0, "", State::Normal},
    {1, "MenuStart", "&Start", 200, "F5", State::Disabled},
    {1, "MenuCancel", "&Cancel", 4, "Ctrl+C", State::Disabled},
    {1, "MenuAutoSequenz", "Auto Sequence", 174, "F8", State::Hidden},
    {1, nullptr, nullptr, 0, "", State::Normal},
    {1, "MenuChooseInputfile", "Choose &Inputfile...", 205, "", State::Normal},
    {1, "MenuOpenTask", "Open &Task...", 202, "", State::Normal},
    {1, "MenuSaveTask", "Save Task &As...", 203, "", State::Disabled},
    {1, nullptr, nullptr, 0, "", State::Normal},
    {1, "MenuSaveSettings", "Sa&ve Settings", 204, "F2", State::Normal},
    {1, "MenuSaveSettingsAutomatically", "Save Settings &automatically", 173, "", State::Checked},
    {1, nullptr, nullptr, 0, "", State::Normal},
    {1, "MenuStop", "Sto&p", 206, "", State::Disabled},
    {1, "MenuExit", "E&xit", 208, "Ctrl+X", State::Normal},
    {0, "MenuView", "&View", 215, "", State::Normal},
    {1, "MenuToolbar", "&Toolbar", 216, "", State::Checked},
    {1, "MenuProtocol", "&Protocol", 214, "", State::Checked},
    {1, nullptr, nullptr, 0, "", State::Normal},
    {1, "MenuHTTP", "&HTTP", 0, "", State::Normal},
    {1, "MenuOptions", "&Options", 218, "", State::Normal},
    {1, "MenuEdit", "&Read and Edit", 220, "", State::Normal},
    {1, "MenuPreview", "Pre&view", 219, "", State::Normal},
    {0, "MenuSpecial", "&Special", 209, "", State::Normal},
    {1, "MenuAssistant", "&Assistant...", 210, "", State::Normal},
    {1, nullptr, nullptr, 0, "", State::Normal},
    {1, "MenuURLListe(1)", "&1 ", 0, "", State::Disabled},
    {1, "MenuURLListe(2)", "&2 ", 0, "", State::Disabled},
    {1, "MenuURLListe(3)", "&3 ", 0, "", State::Disabled},
    {1, "MenuURLListe(4)", "&4 ", 0, "", State::Disabled},
    {1, "MenuURLListe(5)", "&5 ", 0, "", State::Disabled},
    {1, "MenuURLListe(6)", "&6 ", 0, "", State::Disabled},
    {1, nullptr, nullptr, 0, "", State::Normal},
    {1, "MenuClear", "&Clear...", 211, "", State::Normal},
    {2, "MenuClearInactive", "&Inactive Entries", 212, "", State::Disabled},
    {2, "MenuClearAll", "&All Entries", 213, "", State::Disabled},
    {2, nullptr, nullptr, 0, "", State::Normal},
    {2, "MenuClearProtocol", "&Protocol", 214, "", State::Disabled},
    {2, "MenuClearStatus", "&Status", 0, "F4", State::Disabled},
    {2, nullptr, nullptr, 0, "", State::Normal},
    {2, "MenuClearGenerated", "&Generated Files and Exit", 320, "F11", State::Normal},
    {0, "MenuWindows", "&Windows", 332, "", State::Normal},
    {1, "MenuAlign", "&Align", 175, "F6", State::Normal},
    {1, "MenuHide", "&Hide", 0, "F12", State::Normal},
    {1, nullptr, nullptr, 0, "", State::Normal},
    {1, "MenuPreviewTop", "Preview always on &Top", 331, "", State::Normal},
    {0, "MenuFragezeichen", "&?", 0, "", State::Normal},
    {1, "MenuMemo", "&Memo", 0, "", State::Normal},
    {1, nullptr, nullptr, 0, "", State::Normal},
    {1, "MenuLicense", "&License Information...", 171, "", State::Normal},
    {1, "MenuWebPage", "&Web page...", 223, "", State::Normal},
    {1, nullptr, nullptr, 0, "", State::Normal},
    {1, "MenuInfo", "&Info", 225, "", State::Normal},
};

QAction* AddEntry(QMenu* menu, const MenuRow& row)
{
    QAction* action = menu->addAction(QString::fromUtf8(row.designCaption));
    action->setObjectName(QLatin1String(row.name));
    if (*row.shortcut)
        action->setShortcut(QKeySequence(QLatin1String(row.shortcut)));
    switch (row.state) {
    case State::Disabled:
        action->setEnabled(false);
        break;
    case State::Checked:
        action->setCheckable(true);
        action->setChecked(true);
        break;
    case State::Hidden:
        action->setEnabled(false);
        action->setVisible(false);
        break;
    case State::Normal:
        break;
    }
    return action;
}

// Menu keys come before a text box's own editing keys (Ctrl+C, Ctrl+X): while
// an entry with that key is enabled, no control of the main window claims the
// key for itself.
class MenuKeysFirst final : public QObject {
public:
    explicit MenuKeysFirst(FormKelpa* form) : QObject(form), form_(form) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::ShortcutOverride)
            return QObject::eventFilter(watched, event);
        const auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || widget->window() != form_)
            return false;
        const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
        const auto actions = form_->findChildren<QAction*>();
        for (const QAction* action : actions)
            if (action->isEnabled() && !action->shortcut().isEmpty() &&
                action->shortcut() == pressed)
                return true;
        return false;
    }

private:
    FormKelpa* form_;
};

} // namespace

void FormKelpa::setupMenus()
{
    qApp->installEventFilter(new MenuKeysFirst(this));
    QMenu* parents[3] = {nullptr, nullptr, nullptr};
    for (const MenuRow& row : MenuTree) {
        if (row.level == 0) {
            parents[0] = menuBar()->addMenu(QString::fromUtf8(row.designCaption));
            parents[0]->menuAction()->setObjectName(QLatin1String(row.name));
            parents[0]->setObjectName(QLatin1String(row.name));
            continue;
        }
        QMenu* menu = parents[row.level - 1];
        if (!row.name) {
            menu->addSeparator();
        } else if (row.level == 1 && qstrcmp(row.name, "MenuClear") == 0) {
            parents[1] = menu->addMenu(QString::fromUtf8(row.designCaption));
            parents[1]->menuAction()->setObjectName(QLatin1String(row.name));
        } else {
            AddEntry(menu, row);
        }
    }
    platform::On(MenuEntry("MenuExit"), &QAction::triggered, this, &FormKelpa::CommandExit_Click);
    platform::On(MenuEntry("MenuStart"), &QAction::triggered, this, &FormKelpa::CommandStart_Click);
    platform::On(MenuEntry("MenuStop"), &QAction::triggered, this, &FormKelpa::CommandStop_Click);
    platform::On(MenuEntry("MenuHTTP"), &QAction::triggered, this, &FormKelpa::MenuHTTP_Click);
    platform::On(MenuEntry("MenuOpenTask"), &QAction::triggered, this,
                 &FormKelpa::MenuOpenTask_Click);
    platform::On(MenuEntry("MenuSaveTask"), &QAction::triggered, this,
                 &FormKelpa::MenuSaveTask_Click);
    platform::On(MenuEntry("MenuCancel"), &QAction::triggered, this, &FormKelpa::MenuCancel_Click);
    platform::On(MenuEntry("MenuHide"), &QAction::triggered, this, &FormKelpa::MenuHide_Click);
    const std::pair<const char*, void (FormKelpa::*)()> commands[] = {
        {"MenuNew", &FormKelpa::MenuNew_Click},
        {"MenuChooseInputfile", &FormKelpa::MenuChooseInputFile_Click},
        {"MenuSaveSettings", &FormKelpa::MenuSaveSettings_Click},
        {"MenuOptions", &FormKelpa::MenuOptions_Click},
        {"MenuEdit", &FormKelpa::MenuEdit_Click},
        {"MenuPreview", &FormKelpa::MenuPreview_Click},
        {"MenuAssistant", &FormKelpa::MenuAssistant_Click},
        {"MenuClearInactive", &FormKelpa::MenuClearInactive_Click},
        {"MenuClearAll", &FormKelpa::MenuClearAll_Click},
        {"MenuClearProtocol", &FormKelpa::MenuClearProtocol_Click},
        {"MenuClearStatus", &FormKelpa::MenuClearStatus_Click},
        {"MenuClearGenerated", &FormKelpa::MenuClearGenerated_Click},
        {"MenuAutoSequenz", &FormKelpa::MenuAutoSequenz_Click},
        {"MenuAlign", &FormKelpa::MenuAlign_Click},
        {"MenuMemo", &FormKelpa::MenuMemo_Click},
        {"MenuLicense", &FormKelpa::MenuLicense_Click},
        {"MenuWebPage", &FormKelpa::MenuWebPage_Click},
        {"MenuInfo", &FormKelpa::MenuInfo_Click},
    };
    for (const auto& [name, handler] : commands)
        platform::On(MenuEntry(name), &QAction::triggered, this, handler);
    platform::On(MenuEntry("MenuOpen"), &QAction::triggered, &FormHTTP::Instance(),
                 &FormHTTP::CommandChooseFile_Click);
    // The toggles flip their check mark themselves (they are also called from
    // code): the flip Qt made on the user's click is undone first.
    MenuEntry("MenuPreviewTop")->setCheckable(true);
    const std::pair<const char*, void (FormKelpa::*)()> toggles[] = {
        {"MenuToolbar", &FormKelpa::MenuToolbar_Click},
        {"MenuProtocol", &FormKelpa::MenuProtocol_Click},
        {"MenuSaveSettingsAutomatically", &FormKelpa::MenuSaveSettingsAutomatically_Click},
        {"MenuPreviewTop", &FormKelpa::MenuPreviewTop_Click},
    };
    for (const auto& [name, handler] : toggles) {
        QAction* entry = MenuEntry(name);
        connect(entry, &QAction::triggered, this, [this, entry, handler = handler](bool checked) {
            entry->setChecked(!checked);
            platform::runGuarded([&] { (this->*handler)(); });
        });
    }
    for (int16_t i = 1; i <= 6; ++i) {
        const QByteArray name = "MenuURLListe(" + QByteArray::number(i) + ")";
        connect(MenuEntry(name.constData()), &QAction::triggered, this,
                [this, i] { platform::runGuarded([&] { MenuURLListe_Click(i); }); });
    }
}

void FormKelpa::SetCaptions()
{
    for (const MenuRow& row : MenuTree)
        if (row.name && row.textNumber > 0)
            if (QAction* entry = MenuEntry(row.name))
                entry->setText(KELPA::LanguageText[row.textNumber]);
}

// A run asks for the same entries after every file: each is searched among
// the window's children once and then remembered while it lives and keeps
// its name.
QAction* FormKelpa::MenuEntry(const char* name) const
{
    static QHash<QByteArray, QPointer<QAction>> found;
    const QLatin1String wanted(name);
    QPointer<QAction>& entry = found[QByteArray(name)];
    if (entry && entry->objectName() == wanted)
        return entry;
    const auto actions = findChildren<QAction*>(wanted);
    entry = actions.isEmpty() ? nullptr : actions.first();
    return entry;
}
