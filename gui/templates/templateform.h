#pragma once

#include "core/templates/templates.h"

#include <QDialog>

#include <optional>

class QComboBox;
class QDialogButtonBox;
class QFormLayout;
class QLabel;
class QLineEdit;

// The form a template is inserted with ("frmTemplate"): which template (cmbTemplate), its
// description, and one box per parameter (txtParam_1, ...) labelled with its prompt and holding its
// default. A box that holds no number is marked and named below the form, and Insert stays disabled
// until every box holds one. The dialog only composes the lines: where they go is the caller's.
class TemplateForm : public QDialog {
    Q_OBJECT
public:
    // afterLine: the line the template goes after, 0 for the end of the program.
    TemplateForm(const QList<templates::Template>& choices, int chosen, int afterLine, QWidget* parent);

    // The chosen template's lines with the numbers filled in, once Insert was pressed.
    const std::optional<QStringList>& result() const { return m_result; }
    const templates::Template& chosen() const;
    // The parameter boxes of the chosen template, in declaration order.
    const QList<QLineEdit*>& fields() const { return m_fields; }
    // Presses Insert as the user would; nothing happens while it is disabled.
    void pressInsert();

private:
    void showTemplate(int index);
    // Marks the boxes that hold no number; the values when all do.
    std::optional<QHash<QString, double>> check();

    QList<templates::Template> m_choices;
    int m_afterLine = 0;
    QComboBox* m_choice = nullptr;
    QLabel* m_description = nullptr;
    QWidget* m_fieldArea = nullptr;
    QFormLayout* m_form = nullptr;
    QLabel* m_problem = nullptr;
    QLabel* m_count = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
    QList<QLineEdit*> m_fields;
    std::optional<QStringList> m_result;
};
