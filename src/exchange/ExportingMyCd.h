#pragma once

#include "exchange/ExportScreen.h"

namespace velmora {

class Session;

// Export of the own CD catalogue.
class TExporting_my_CD : public ExportScreen
{
    Q_OBJECT
public:
    explicit TExporting_my_CD(Session &session, QWidget *parent = nullptr);
};

} // namespace velmora
