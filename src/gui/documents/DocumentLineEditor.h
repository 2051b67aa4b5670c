#pragma once

#include "core/model/CommercialDocumentItem.h"

#include <QFrame>
#include <QHash>
#include <QList>
#include <QSet>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QToolButton;

namespace velmora::gui {

// One line of the document being written, as a card: a header with what it
// is worth and its move / remove buttons, and its fields, which fold away.
// It edits a copy and hands each change back through `edited`.
class DocumentLineEditor : public QFrame {
    Q_OBJECT

public:
    // The mime type a line carries while it is dragged to another place.
    static QString dragMimeType() { return QStringLiteral("application/x-velmora-line"); }
    static QString invalidAmountMessage() {
        return QStringLiteral("Montant invalide : saisissez un nombre, par exemple 450,50.");
    }

    // `typed` gives back the amount fields' texts as the user left them in
    // the editor this one replaces, by field name.
    DocumentLineEditor(const CommercialDocumentLine& line, QWidget* parent,
                       const QHash<QString, QString>& typed = {});

    QUuid lineId() const { return m_line.id; }
    void setExpanded(bool expanded);
    bool isExpanded() const;
    // Whether a typed amount does not read as a number, or the document
    // refuses the line's figures.
    bool hasInvalidAmount() const;
    // The document's refusal of this line (LineEditor::refusal), shown under
    // the field it concerns, which turns red; an empty text clears it.
    void showRefusal(const QString& message);
    // The first amount field whose text is refused, in the order on screen.
    QLineEdit* firstInvalidAmount() const;
    // The amount texts the user typed, which a rebuilt editor keeps.
    QHash<QString, QString> typedAmounts() const;
    // The line was filled from elsewhere: its amounts show the new values.
    void forgetTypedAmounts() { m_typed.clear(); }

signals:
    void edited(const CommercialDocumentLine& line);
    void removeRequested(const QUuid& id);
    // -1 one place up, +1 one place down.
    void moveRequested(const QUuid& id, int step);
    void catalogueRequested(const QUuid& id);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QLineEdit* amountField(const QString& name, double value,
                           double CommercialDocumentLine::*field);
    // Reads a typed amount into the line, or marks the field refused.
    void readAmount(QLineEdit* edit, const QString& text, double CommercialDocumentLine::*field);
    QLineEdit* textField(const QString& name, const QString& placeholder,
                         QString CommercialDocumentLine::*field);
    void addServiceFields();
    void addDiscountFields();
    void addDepositFields();
    void changed();
    void showFigures();
    void showReduction();

    CommercialDocumentLine m_line;
    QWidget* m_body = nullptr;
    QToolButton* m_fold = nullptr;
    QLabel* m_heading = nullptr;
    QLabel* m_figures = nullptr;
    QLabel* m_error = nullptr;
    QComboBox* m_reductionMode = nullptr;
    QLineEdit* m_reductionValue = nullptr;
    QSet<QLineEdit*> m_invalid;
    // The quantity of a service, the value of a discount.
    QLineEdit* m_ruledField = nullptr;
    QLabel* m_refusal = nullptr;
    QList<QLineEdit*> m_amounts;
    QSet<QLineEdit*> m_typed;
    QHash<QString, QString> m_typedBefore;
    QPoint m_pressedAt;
};

} // namespace velmora::gui
