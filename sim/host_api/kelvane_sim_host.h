/* The stand-in's host API: how kelvane-sim drives the stand-in hook and world.
   Plain C, so that it can cross the boundary of the stand-in ScriptHookV.dll on
   Windows, where each module carries its own C++ runtime. On Linux the same functions
   are linked in statically. */
#ifndef KELVANE_SIM_HOST_H
#define KELVANE_SIM_HOST_H

/* Put KSIM_API before every function of this API. On Windows it exports the function
   from the stand-in ScriptHookV.dll (built with KSIM_BUILDING_STAND_IN) and imports it
   everywhere else; on Linux, where the stand-in is linked in, it is empty. */
#if defined(_WIN32) && defined(KSIM_BUILDING_STAND_IN)
#define KSIM_API __declspec(dllexport)
#elif defined(_WIN32)
#define KSIM_API __declspec(dllimport)
#else
#define KSIM_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Forgets every script, native handler and log, and starts a fresh world. */
KSIM_API void KsimReset(void);

/* Runs count frames of frameTime seconds: every registered script gets one slice,
   then the world advances. */
KSIM_API void KsimRunFrames(int count, float frameTime);

KSIM_API int KsimRegisteredScriptCount(void);
KSIM_API unsigned long long KsimFrameNumber(void);
KSIM_API double KsimGameTimeSeconds(void);
KSIM_API unsigned long long KsimTotalNativeCalls(void);

/* Copies up to capacity hashes of the natives that no handler answered into hashes;
   returns how many there are in all. */
KSIM_API int KsimUnknownNatives(unsigned long long* hashes, int capacity);

#ifdef __cplusplus
}
#endif

#endif
