// draft_record.xml as an operator may put it beside the program: any bytes, loaded against small sheets
// and the largest one.
#include "FuzzSupport.h"
#include "RecordInvariants.h"
#include "RecordSamples.h"

#include "record/AttemptRecordDocument.h"

#include <array>
#include <memory>

namespace {
struct Loader
{
    SheetShape shape;
    std::unique_ptr<AttemptRecordDocument> record;
    QByteArray serialised; // of the record before the load, for the small shapes

    explicit Loader(SheetShape sheet) : shape(sheet) { rebuild(); }

    void rebuild()
    {
        record = std::make_unique<AttemptRecordDocument>();
        setUpRecord(*record);
        const QByteArray saved = savedRecord(shape, shape.columns + 1, 754.5f);
        require(!record->loadFromBytes(saved, shape.rows, shape.columns), "the program's own record is refused");
        serialised = isSmall() ? record->serialize() : QByteArray();
    }

    bool isSmall() const { return shape.rows * shape.columns <= 100; }

    void load(const QByteArray& bytes)
    {
        const pugi::xml_node before = record->specialNumbersElement();
        if (record->loadFromBytes(bytes, shape.rows, shape.columns)) {
            // Refused: the record the stage holds stays exactly as it was.
            require(record->specialNumbersElement() == before, "a refused file replaced the record");
            require(record->rowCount() == shape.rows && record->columnCount() == shape.columns,
                    "a refused file changed the record's shape");
            if (isSmall())
                require(record->serialize() == serialised, "a refused file changed the record");
            return;
        }
        checkAcceptedRecord(*record, shape);
        rebuild();
    }
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static std::array<Loader, 3> loaders{Loader(SmallShapes[0]), Loader(SmallShapes[1]), Loader(LargestShape)};
    const QByteArray bytes = bytesOf(data, size);
    for (Loader& loader : loaders)
        loader.load(bytes);
    return 0;
}
