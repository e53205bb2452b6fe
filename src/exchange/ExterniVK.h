#pragma once

#include "exchange/ImportManager.h"

namespace velmora {

class Session;

// The manager of imported cassette catalogues.
class TExterni_VK : public ImportManager
{
    Q_OBJECT
public:
    explicit TExterni_VK(Session &session, QWidget *parent = nullptr);
};

} // namespace velmora
