#pragma once

#include <QStringList>

#include <vector>

// One step of a database's schema: the statements that bring it from `version - 1` to `version`. A
// step, once released, never changes: a database made by it is brought on by the steps after it.
struct SchemaStep
{
    int version = 0;
    QStringList statements;
};

using SchemaSteps = std::vector<SchemaStep>;
