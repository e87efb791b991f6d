#pragma once

#include <QCloseEvent>
#include <QPointer>
#include <QShowEvent>
#include <QWidget>
#include <map>
#include <typeindex>

namespace ui {

// How the program's windows live. Every window but Display exists at most once and
// is reached by its type: the first use loads it (creates it and runs its Form_Load,
// if it has one) without showing it; Show makes it visible, modeless; the window's
// own button only hides it; closing it through its title bar unloads it (destroys
// it), so that the next use loads it afresh.
class Forms {
public:
    template <class Form> static Form& Load() {
        QPointer<QWidget>& slot = Slots()[std::type_index(typeid(Form))];
        if (slot.isNull()) {
            Form* form = new Form;
            slot = form;
            if constexpr (requires { form->Form_Load(); }) {
                form->Form_Load();
            }
        }
        return static_cast<Form&>(*slot);
    }

    // Shows the window modeless; a visible window is only brought to the front.
    template <class Form> static Form& Show() {
        Form& form = Load<Form>();
        ShowModeless(form);
        return form;
    }

    template <class Form> static bool IsLoaded() {
        auto slot = Slots().find(std::type_index(typeid(Form)));
        return slot != Slots().end() && !slot->second.isNull();
    }

    // Forgets the window and destroys it once control returns to the event loop.
    static void Unload(QWidget* form);

    // Destroys every loaded window at once, for a fresh start.
    static void Reset();

private:
    static void ShowModeless(QWidget& form);
    static std::map<std::type_index, QPointer<QWidget>>& Slots();
};

// A window of the registry: closing it through its title bar unloads it. It opens where
// the window system puts new windows (on Windows, cascaded), rather than centred on
// the active window as a dialog would, so that windows shown one after another do
// not cover each other.
template <class Base> class Form : public Base {
protected:
    using Base::Base;

    void showEvent(QShowEvent* event) override { QWidget::showEvent(event); }

    void closeEvent(QCloseEvent* event) override {
        Base::closeEvent(event);
        if (event->isAccepted()) {
            Forms::Unload(this);
        }
    }
};

} // namespace ui
