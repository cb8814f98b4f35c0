#pragma once

#include "core/templates/templatelibrary.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QDialogButtonBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QScrollArea;
class QSpinBox;

// What File > Save as Template... composed: the name, the description, the lines (from and to,
// counted from 1) and the parameters chosen among the variables those lines set.
struct TemplateToSave {
    QString name;
    QString path; // the file in the templates folder
    QString description;
    int from = 1;
    int to = 1;
    QList<templates::Parameter> parameters;
};

// "frmSaveTemplate": the template's name (txtTemplateName) and description (txtDescription), the
// lines it takes (txtFromLine to txtToLine, the whole program at first), and for each variable those
// lines set a box to make it a parameter (chkParam_1, ...) with its prompt (txtPrompt_1, ...), its
// default the number it is set to. A variable that cannot become one (set to an expression, or after
// a label, jump or IF) is shown disabled with the reason.
class SaveTemplateDialog : public QDialog {
    Q_OBJECT
public:
    // programLines: the program's lines as written, one per line of the panel.
    SaveTemplateDialog(const QStringList& programLines, const QString& folder, QWidget* parent);

    const std::optional<TemplateToSave>& result() const { return m_result; }
    // Presses Save as the user would; nothing happens while it is disabled.
    void pressSave();

private:
    // The parameter boxes for the lines now chosen, keeping what was ticked and typed per variable.
    void showOffers();
    void check();

    struct Row {
        templates::Offer offer;
        QCheckBox* use = nullptr;
        QLineEdit* prompt = nullptr;
    };

    QStringList m_lines;
    QString m_folder;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_description = nullptr;
    QSpinBox* m_from = nullptr;
    QSpinBox* m_to = nullptr;
    QScrollArea* m_offerScroll = nullptr;
    QWidget* m_offerArea = nullptr;
    QGridLayout* m_offerGrid = nullptr;
    QLabel* m_noOffers = nullptr;
    QLabel* m_problem = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
    QList<Row> m_rows;
    QHash<QString, std::pair<bool, QString>> m_kept; // per variable: ticked, prompt
    std::optional<TemplateToSave> m_result;
};
