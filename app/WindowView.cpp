#include "app/WindowView.h"

#include "app/ApplicationTitle.h"
#include "app/MessageBoxes.h"
#include "app/TForm1.h"

#include <QLineEdit>

namespace vlnokan {

namespace {

QLineEdit* entryEdit(TForm1& form, Entry entry) {
    switch (entry) {
    case Entry::Frequency:
        return form.EditGHz;
    case Entry::Diameter:
        return form.EditD;
    case Entry::Angle:
        return form.EditAlfa;
    case Entry::Mouth:
        return form.EditUsti;
    }
    return form.EditGHz;
}

QLineEdit* fieldEdit(TForm1& form, Field field) {
    switch (field) {
    case Field::Lo:
        return form.EditLo;
    case Field::Lg:
        return form.EditLg;
    case Field::Lo4:
        return form.EditLo4;
    case Field::Lg4:
        return form.EditLg4;
    }
    return form.EditLo;
}

} // namespace

void WindowView::blankAllSlots() {
    m_form.labelSlots().blankAll();
}

std::string WindowView::entryText(Entry entry) const {
    return entryEdit(m_form, entry)->text().toStdString();
}

void WindowView::setEntryText(Entry entry, const std::string& text) {
    entryEdit(m_form, entry)->setText(QString::fromStdString(text));
}

void WindowView::showNotice(Notice, const std::string& text) {
    MessageBoxes::get().showNotice(applicationTitle(), QString::fromStdString(text));
}

void WindowView::setField(Field field, std::int64_t value) {
    fieldEdit(m_form, field)->setText(QString::number(value));
}

void WindowView::writeSlot(Slot slot, const std::string& text) {
    m_form.labelSlots().write(slot, text);
}

void WindowView::designKnown(const Design& design) {
    m_form.setDesign(design);
}

} // namespace vlnokan
