#pragma once

// Makes the calling thread a batch thread: it runs when a processor is free and never takes one from
// the user-interface thread in the middle of a keystroke. Background writers and checks call it first
// thing; where the system refuses, the thread stays as it was.
void yieldToInteractiveThreads();
