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

/* Receives text a line at a time, without the line end. */
typedef void (*KsimLineSink)(void* context, const char* line);

/* Reads a scenario from a file, or from text named origin in messages, starts a fresh
   world from it and writes its Kelvane.ini, if it has one, into the current folder.
   Returns 0, or 1 after telling errors why not. Load the plug-in afterwards. */
KSIM_API int KsimLoadScenarioFile(const char* path, KsimLineSink errors, void* context);
KSIM_API int KsimLoadScenarioText(const char* text, const char* origin, KsimLineSink errors, void* context);

/* Receives how far a run has come: the game time played so far and the scenario's
   duration, in seconds. */
typedef void (*KsimProgressSink)(void* context, double played, double duration);

/* What a run writes. Every field may be null; each sink gets context. */
typedef struct KsimPlayOutputs {
    const char* tracePath;     /* one JSON line per frame, into this file */
    KsimLineSink trace;        /* or the same lines, here */
    KsimLineSink timeline;     /* the readable timeline */
    KsimLineSink report;       /* the outcome of every expectation and check */
    KsimLineSink rideRecord;   /* after the run: what pictures of it need, as one line of JSON */
    KsimProgressSink progress; /* after each frame */
    void* context;
} KsimPlayOutputs;

/* Plays the loaded scenario with the plug-in registered and writes what outputs asks
   for. Returns the number of failures (expectations not met, natives the world does not
   know, non-finite floats handed to natives), or -1 when no scenario is loaded or the
   trace file cannot be written. */
KSIM_API int KsimPlayScenario(const KsimPlayOutputs* outputs);

/* KsimPlayScenario with a trace file (unless tracePath is null), the timeline (unless
   it is null) and the report. */
KSIM_API int KsimRunScenario(const char* tracePath, KsimLineSink timeline, KsimLineSink report, void* context);

/* Playing by hand: the loaded scenario's world, without its timeline of inputs, events
   and expectations, driven one frame at a time with the plug-in registered. */

/* Runs one frame of frameTime seconds with heldCount controls of input group 2 held.
   Returns 0, or -1 when no scenario is loaded. */
KSIM_API int KsimPlayFrame(const int* heldControls, int heldCount, float frameTime);

/* From the next frame on, the player walks along (directionX, directionY) in the plane,
   running when running is non-zero, until the next call; a zero direction stands still.
   A player in a seat stays in it. */
KSIM_API void KsimWalkPlayer(float directionX, float directionY, int running);

/* One JSON line each: the still scene (tracks sampled every sampleSpacing metres along
   the curve the world lays, walls), and the frame just played (the player and other
   peds, trains, vehicles, the draw list, explosions of the last moments). Nothing is
   written when no scenario is loaded. */
KSIM_API void KsimDescribeScene(double sampleSpacing, KsimLineSink sink, void* context);
KSIM_API void KsimDescribeFrame(KsimLineSink sink, void* context);

#ifdef __cplusplus
}
#endif

#endif
