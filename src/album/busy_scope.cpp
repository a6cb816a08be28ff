#include "album/busy_scope.h"

namespace lumoria {

namespace {
BusyIndicator* g_indicator = nullptr;
}

void setBusyIndicator(BusyIndicator* indicator) { g_indicator = indicator; }

BusyScope::BusyScope() : m_indicator(g_indicator)
{
    if (m_indicator)
        m_indicator->begin();
}

BusyScope::~BusyScope()
{
    if (m_indicator)
        m_indicator->end();
}

} // namespace lumoria
