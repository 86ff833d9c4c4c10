#pragma once

#include "editor/pages/PageFields.h"

#include <QWidget>
#include <string>

// A tab page that shows fields of a record. It moves values between its controls and a
// record with typed conversions, and raises fieldEdited() whenever the user changes one.
class FieldPage : public QWidget
{
    Q_OBJECT

public:
    using QWidget::QWidget;

    const PageFields &fields() const { return fields_; }

    // Shows a field's stored text; a malformed number or colour throws, as the conversions
    // do, and leaves the control as it was.
    static void loadField(const PageField &field, std::string_view value);
    static std::string storeField(const PageField &field);
    // The widget of a field's control (the bold button of a font's pair).
    static QWidget *widgetOf(const PageField &field);
    // What the page calls a field: the label beside its control ("Height"), within its group
    // where the group is named ("Border Width"); the control's name where there is none.
    static QString caption(const PageField &field);

    // Loads or stores every field of this page, in the order the page lists them.
    template <typename Record> void load(const Record &record)
    {
        for (const PageField &field : fields_)
            loadField(field, record[field.position]);
    }
    template <typename Record> void store(Record &record) const
    {
        for (const PageField &field : fields_)
            record.set(field.position, storeField(field));
    }

signals:
    // The user changed the field at this position of the record (a colour panel's change
    // comes from whoever asks for the colour).
    void fieldEdited(int position);

protected:
    // Declares a field shown by this page and forwards its user changes to fieldEdited().
    void addField(int position, FieldControl control, FieldForm form = FieldForm::Standard);

private:
    PageFields fields_;
};
