#include "ui/forms.h"

namespace ui {

std::map<std::type_index, QPointer<QWidget>>& Forms::Slots() {
    static std::map<std::type_index, QPointer<QWidget>> loaded;
    return loaded;
}

void Forms::ShowModeless(QWidget& form) {
    form.show();
    form.raise();
    form.activateWindow();
}

void Forms::Unload(QWidget* form) {
    for (auto& [type, slot] : Slots()) {
        if (slot == form) {
            slot.clear();
        }
    }
    form->hide();
    form->deleteLater();
}

void Forms::Reset() {
    for (auto& [type, slot] : Slots()) {
        delete slot.data();
    }
    Slots().clear();
}

} // namespace ui
