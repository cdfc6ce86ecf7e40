#pragma once

#include "SchemaStep.h"

// The steps of the training database's schema, in order; the last one's version is the current one,
// the version PRAGMA user_version holds.
const SchemaSteps& trainingSchemaSteps();
int currentTrainingSchemaVersion();
