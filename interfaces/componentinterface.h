#pragma once

// What every component offers, whatever its kind: switching it on and off.
class ComponentInterface
{
public:
    virtual void SetEnabled(bool enabled) = 0;
    virtual bool IsEnabled() const = 0;

protected:
    ~ComponentInterface() = default;
};
