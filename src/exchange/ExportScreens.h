#pragma once

// The export screens TExporting_my_VK (cassettes) and TExporting_my_CD (CDs).

#include "exchange/ExportScreen.h"

namespace velmora {

class Session;

// The two exports of the own catalogue under the names the program
// registers them by: one screen, told apart by the catalogue and its words
// (the table in ExportScreens.cpp).

// Export of the own cassette catalogue.
class TExporting_my_VK : public ExportScreen
{
    Q_OBJECT
public:
    explicit TExporting_my_VK(Session &session, QWidget *parent = nullptr);
};

// Export of the own CD catalogue.
class TExporting_my_CD : public ExportScreen
{
    Q_OBJECT
public:
    explicit TExporting_my_CD(Session &session, QWidget *parent = nullptr);
};

} // namespace velmora
