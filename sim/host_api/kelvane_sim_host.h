/* The stand-in's host API: how kelvane-sim drives the stand-in hook and world.
   Plain C, so that it can cross the boundary of the stand-in ScriptHookV.dll on
   Windows, where each module carries its own C++ runtime. On Linux the same functions
   are linked in statically. */
#ifndef KELVANE_SIM_HOST_H
#define KELVANE_SIM_HOST_H

#ifdef __cplusplus
extern "C" {
#endif

/* Forgets every script, native handler and log, and starts a fresh world. */
void KsimReset(void);

/* Runs count frames of frameTime seconds: every registered script gets one slice,
   then the world advances. */
void KsimRunFrames(int count, float frameTime);

int KsimRegisteredScriptCount(void);
unsigned long long KsimFrameNumber(void);
double KsimGameTimeSeconds(void);
unsigned long long KsimTotalNativeCalls(void);

/* Copies up to capacity hashes of the natives that no handler answered into hashes;
   returns how many there are in all. */
int KsimUnknownNatives(unsigned long long* hashes, int capacity);

#ifdef __cplusplus
}
#endif

#endif
