#pragma once
#include <string>

#include "script.h"

// Tutorial sign: a volume whose name ends in c shows the picture "Tutorial" + c while the player stands in it.
class Tutorial : public Script<Tutorial>
{
public:
    void Start() override;
    void OnTriggerEnter(GameObjectInterface* other) override;
    void OnTriggerExit(GameObjectInterface* other) override;

    bool counted = false;

private:
    // The last character of the object's name; empty when the name is.
    std::string Suffix() const;
};
