#pragma once

#include "exchange/ExportScreen.h"

namespace velmora {

class Session;

// Export of the own cassette catalogue.
class TExporting_my_VK : public ExportScreen
{
    Q_OBJECT
public:
    explicit TExporting_my_VK(Session &session, QWidget *parent = nullptr);
};

} // namespace velmora
