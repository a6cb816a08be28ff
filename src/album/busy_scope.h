#pragma once
// The model's long steps (a layout, a page drawn) tell that the program is busy through whatever
// indicator the window put in place (the wait cursor); the model itself knows no cursor.
namespace lumoria {

class BusyIndicator {
public:
    virtual ~BusyIndicator() = default;
    virtual void begin() = 0;
    virtual void end() = 0;
};

// The indicator the model's busy scopes use; nullptr (the default) shows nothing.
void setBusyIndicator(BusyIndicator* indicator);

// Begins the indicator for as long as it lives.
class BusyScope {
public:
    BusyScope();
    ~BusyScope();
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    BusyIndicator* m_indicator;
};

} // namespace lumoria
