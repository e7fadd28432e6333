#include "game/ResetData.h"

#include "engine/persistence/Records.h"
#include "game/SceneQueries.h"

namespace Game {

using namespace VelaEngine;

void ResetData::Start() {
    ListenToButton(GetOwner(), clickListener_);
}

void ResetData::OnClick(const Events::EventBase&) {
    // The sound keeps its current volume; the next start reads the default again. A record
    // file this run could not read is not saved over: the player never saw what it holds, so
    // the reset clears this run's values only and the file stays for a later, readable start.
    Records& records = Records::Get();
    records.Clear();
    records.Save();
    MoveEntityTo("DataResetWindow", 0.0f, 0.0f);
}

}  // namespace Game
