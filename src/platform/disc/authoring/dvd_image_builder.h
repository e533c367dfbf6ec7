#pragma once
// The DVD image builder: turns converted MPEG titles into a DVD-Video folder,
// with a title menu when a menu description is loaded. It runs dvdauthor (and
// spumux and ffmpeg for the menu) on the calling thread; the progress callback
// is called on that thread too, so a window thread can keep its window alive
// from it, and may call DVDImageBuild_StopBuildDVD to end the build at once.
//
//   h = DVDImageBuild_Create();
//   DVDImageBuild_SetProgressCallback(h, callback, user);
//   DVDImageBuild_LoadINI(h, "/out/foxdvdmenu.ini");   // or SetMenuMPEGFilename(h, title)
//   DVDImageBuild_SetOutputFolder(h, "/work/temp/");    // gets DVD/VIDEO_TS and DVD/AUDIO_TS
//   DVDImageBuild_CreateMenuImages(h);
//   DVDImageBuild_BuildDVD(h);
//   DVDImageBuild_Destory(h);

struct DvdImageBuilder;
using DVDImageBuildHandle = DvdImageBuilder*;

// Progress: (100 * a + x) / (100 * b) of the build is done (b = 0 counts as 1).
using DVDImageBuildProgressCallback = void (*)(void* user, float x, int a, int b);

DVDImageBuildHandle DVDImageBuild_Create();
// Releases the builder and the intermediate files it made.
void DVDImageBuild_Destory(DVDImageBuildHandle handle);
void DVDImageBuild_SetProgressCallback(DVDImageBuildHandle handle, DVDImageBuildProgressCallback callback, void* user);
// Reads a menu description; non-zero when it is usable.
int DVDImageBuild_LoadINI(DVDImageBuildHandle handle, const char* path);
// A disc of this one title, without menu; non-zero when the file exists.
int DVDImageBuild_SetMenuMPEGFilename(DVDImageBuildHandle handle, const char* path);
// The work folder (a final "/" is optional); non-zero when it exists.
int DVDImageBuild_SetOutputFolder(DVDImageBuildHandle handle, const char* folder);
// Chapter marks every seconds inside each title (0, the default: none).
void DVDImageBuild_SetChapterInterval(DVDImageBuildHandle handle, int seconds);
// The languages of title index's (0-based, in title order) sound tracks and
// subpicture streams, in stream order: two-letter codes separated by commas
// ("en,fr"; an empty code for an untagged stream), written into its IFO.
void DVDImageBuild_SetTitleLanguages(DVDImageBuildHandle handle, int index, const char* soundLanguages,
                                     const char* subtitleLanguages);
// Makes the menu's button highlights and muxes them into the menu video;
// non-zero on success and for a disc without menu.
int DVDImageBuild_CreateMenuImages(DVDImageBuildHandle handle);
// Builds the folder; returns when it is complete (non-zero) or failed or stopped (0).
int DVDImageBuild_BuildDVD(DVDImageBuildHandle handle);
// Ends a running build; meant for the progress callback.
void DVDImageBuild_StopBuildDVD(DVDImageBuildHandle handle);
// What went wrong last, for the log; "" after success.
const char* DVDImageBuild_GetLastError(DVDImageBuildHandle handle);
// Whether the last BuildDVD failed because the disc would show a title in the
// wrong shape (its IFO disagrees with the title's stream); the last error then
// says which title and how, in words for the user.
int DVDImageBuild_MadeWrongShape(DVDImageBuildHandle handle);
