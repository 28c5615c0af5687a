#pragma once

#include <QFrame>

class QHBoxLayout;
class QLabel;
class MyLineEdit;

// A line edit with a trailing label (a percentage, or a caption such as
// "Date"), the label as wide as the buttons of the amount fields.
class LItemEdit : public QFrame
{
    Q_OBJECT

public:
    explicit LItemEdit(QWidget *parent = nullptr);

    void setText(const QString &text);
    QString text() const;
    void setReadOnly(bool readOnly);
    void setMaxLength(int length);
    void setLabelText(const QString &text);
    QString labelText() const;
    void setLabelAlignment(Qt::Alignment alignment);
    void setBold(bool bold);

    // Red border while the text cannot be used, with `reason` as tool tip.
    void setInvalid(bool invalid, const QString &reason = QString());
    bool isInvalid() const { return m_invalid; }
    // A standing remark on the value shown (amber border and tool tip), such
    // as a number the case could not take as typed; empty removes it.
    void setNote(const QString &note);
    QString note() const { return m_note; }

    // What a screen reader calls the field, and what the figure in the
    // trailing label is (empty: the label speaks for itself).
    void setFieldName(const QString &name, const QString &description, const QString &labelMeaning = QString());

    MyLineEdit *lineEdit() const { return m_lineEdit; }
    QLabel *label() const { return m_label; }

signals:
    void textEdited(const QString &value);
    void editingFinished(const QString &value);

private:
    void setupUi();

    QHBoxLayout *m_horizontalLayout = nullptr;
    MyLineEdit *m_lineEdit = nullptr;
    QLabel *m_label = nullptr;
    bool m_invalid = false;
    QString m_invalidReason;
    QString m_note;
    QString m_description; // said of the field while it is not marked

    void updateMark();
};
