#include "core/MainWindow.h"

#include <QLabel>
#include <QVBoxLayout>

namespace velmora {

TTitul::TTitul(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Titul"));
    setWindowTitle(QStringLiteral("Velmora 2002"));
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    m_system = new QLabel(central);
    m_system->setObjectName(QStringLiteral("System"));
    layout->addStretch();
    layout->addWidget(m_system);
    setCentralWidget(central);
    resize(800, 600);
}

void TTitul::setSystemText(const QString &text)
{
    m_system->setText(text);
}

TTitul::~TTitul()
{
    m_tables.closeAll();
}

} // namespace velmora
