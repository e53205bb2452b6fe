#pragma once

// The import managers TExterni_VK (cassettes) and TExterni_CD (CDs).

#include "exchange/ImportManager.h"

namespace velmora {

class Session;

// The two managers of imported catalogues under the names the program
// registers them by: one screen, told apart by the catalogue and the
// sentences that name it (the table in ImportManagers.cpp).

// The manager of imported cassette catalogues.
class TExterni_VK : public ImportManager
{
    Q_OBJECT
public:
    explicit TExterni_VK(Session &session, QWidget *parent = nullptr);
};

// The manager of imported CD catalogues.
class TExterni_CD : public ImportManager
{
    Q_OBJECT
public:
    explicit TExterni_CD(Session &session, QWidget *parent = nullptr);
};

} // namespace velmora
