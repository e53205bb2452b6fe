#pragma once

#include "platform/ScreenDialog.h"

class QLineEdit;

namespace velmora {

// Asks once, at the first export, for the owner's name that exports carry
// and that names the owner's catalogue at everyone who imports it.
class OwnerNameDialog : public ScreenDialog
{
    Q_OBJECT
public:
    explicit OwnerNameDialog(const QString &proposed, QWidget *parent = nullptr);
    QString name() const;
    QLineEdit *edit() const { return m_edit; }

public slots:
    void save();

private:
    QLineEdit *m_edit = nullptr;
};

namespace exchange {
// The stored owner's name, asked for when none is stored yet; empty when
// the user declined.
QString ownerNameAsked(QWidget *parent);
} // namespace exchange

} // namespace velmora
