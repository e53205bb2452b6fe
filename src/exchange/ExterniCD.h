#pragma once

#include "exchange/ImportManager.h"

namespace velmora {

class Session;

// The manager of imported CD catalogues.
class TExterni_CD : public ImportManager
{
    Q_OBJECT
public:
    explicit TExterni_CD(Session &session, QWidget *parent = nullptr);
};

} // namespace velmora
