// A saved draft of the largest sheet (pi, 30 digits a row) with one change anywhere in it, loaded
// against that sheet: mostly accepted, so the invariants of an accepted record get the load.
#include "FuzzSupport.h"
#include "RecordInvariants.h"
#include "RecordPatch.h"
#include "RecordSamples.h"

#include "record/AttemptRecordDocument.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QByteArray saved = savedRecord(LargestShape, 500, 3601.25f);
    static AttemptRecordDocument record;
    static bool prepared = false;
    if (!prepared) {
        setUpRecord(record);
        require(!record.loadFromBytes(saved, LargestShape.rows, LargestShape.columns),
                "the program's own record is refused");
        prepared = true;
    }

    const QByteArray bytes = applyRecordPatch(saved, decodeRecordPatch(bytesOf(data, size)));
    const pugi::xml_node before = record.specialNumbersElement();
    if (record.loadFromBytes(bytes, LargestShape.rows, LargestShape.columns)) {
        require(record.specialNumbersElement() == before, "a refused file replaced the record");
        return 0;
    }
    checkAcceptedRecord(record, LargestShape);
    return 0;
}
