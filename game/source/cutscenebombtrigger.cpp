#include "cutscenebombtrigger.h"

#include "gameobjectinterface.h"
#include "gameservices.h"
#include "puzzlebombtutorial.h"
#include "scriptlookup.h"

void CutsceneBombTrigger::Start()
{
    triggered = false;
    delay = 1.0f;
    elapsed = 0.0f;
}

void CutsceneBombTrigger::OnTriggerEnter(GameObjectInterface* other)
{
    if (other->GetName() == "Player")
        triggered = true;
}

void CutsceneBombTrigger::Update()
{
    if (!triggered)
        return;
    elapsed += gServices.dt;
    if (elapsed <= delay)
        return;
    auto* bomb = FindScript<PuzzleBombTutorial>("PuzzleBombTutorial");
    if (Check(bomb, "CutsceneBombTrigger. Missing PuzzleBombTutorial"))
        bomb->armed = true;
    triggered = false;
}
