#pragma once

class StepRunner;

// Makes data.mdb in the program folder with the whole schema and no rows.
// A failing step asks Abort, Retry or Ignore. Abort removes the file this
// run created, so the next start makes it anew.
void CreateDatabase();
void CreateDatabase(StepRunner& runner);
