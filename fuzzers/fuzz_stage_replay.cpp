// An attempt decoded from the input, played on the running stage, and the journal the stage wrote
// verified by the program's verifier: the verdict must be valid, and the replay must come to the end,
// score, used time, answers and locked cells the stage came to.
#include "FuzzSupport.h"
#include "ScriptChoices.h"
#include "StageReplayCheck.h"
#include "StageScriptGenerator.h"

#include <QCoreApplication>

// The draft writer reports to the stage through the event loop's queue.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QString directory = fuzzProgramDirectory();
    ByteChoices choices(data, size);
    ScriptShape shape;
    shape.maxActions = 300;
    const StageScript script = generateStageScript(choices, shape);
    const StageReplayCheck check = playAndVerify(script, directory);
    if (!check.agrees()) {
        std::fprintf(stderr, "%s\n", qPrintable(check.report(script)));
        invariantBroken("the journal's replay disagrees with the running stage");
    }
    return 0;
}
