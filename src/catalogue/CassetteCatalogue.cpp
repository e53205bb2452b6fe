#include "catalogue/CassetteCatalogue.h"

#include "engine/Table.h"

namespace velmora {
namespace {

const QString kNumberField = QStringLiteral("cislo");

} // namespace

FreeNumbers CassetteCatalogue::offers()
{
    m_table.setIndex(kNumberField);
    if (!m_table.isOpen())
        m_table.open();
    m_table.setFiltered(false);
    return NextFreeNumbers(m_table, kNumberField);
}

bool CassetteCatalogue::add(const CassetteRecord &record)
{
    return write(true, record);
}

bool CassetteCatalogue::saveCurrent(const CassetteRecord &record)
{
    return write(false, record);
}

bool CassetteCatalogue::write(bool asNew, const CassetteRecord &record)
{
    try {
        if (asNew) {
            m_table.append();
            CassetteColumns(m_table).writeNew(m_table, record);
        } else {
            m_table.edit();
            CassetteColumns(m_table).writeContent(m_table, record);
        }
        m_table.post();
        return true;
    } catch (const std::exception &) {
        // What was being written is given up; the table keeps what it had.
        if (m_table.isOpen())
            m_table.cancel();
        return false;
    }
}

void CassetteCatalogue::deleteCurrent()
{
    m_table.deleteRecord();
}

bool CassetteCatalogue::isOpen() const
{
    return m_table.isOpen();
}

bool CassetteCatalogue::hasCurrent() const
{
    return m_table.isOpen() && m_table.recordNumber() >= 0;
}

CassetteRecord CassetteCatalogue::current() const
{
    return readCassette(m_table);
}

QString CassetteCatalogue::currentNumber() const
{
    return m_table.asString(kNumberField);
}

bool CassetteCatalogue::moveTo(const QString &number)
{
    return m_table.locate(kNumberField, number);
}

bool CassetteCatalogue::moveToListed(const QString &number)
{
    return m_table.locate(kNumberField, number, true);
}

void CassetteCatalogue::moveToLast()
{
    m_table.last();
}

void CassetteCatalogue::orderByNumber()
{
    m_table.setIndex(kNumberField);
}

void CassetteCatalogue::showAll()
{
    if (m_table.filtered())
        m_table.setFiltered(false);
}

void CassetteCatalogue::showAllFromLast()
{
    m_table.setFiltered(false);
    m_table.last();
}

void CassetteCatalogue::close()
{
    m_table.close();
}

} // namespace velmora
