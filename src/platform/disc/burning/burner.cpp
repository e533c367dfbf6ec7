#include "platform/disc/burning/burner.h"

#include "platform/disc/burning/burner_engine.h"
#include "support/log.h"

namespace burner {

namespace {
BurnerEngine& Engine() {
  return BurnerEngine::Instance();
}
}  // namespace

int Initialize() {
  return Engine().Initialize();
}
int CreateProject(int type) {
  Log("Burner CreateProject %d", type);
  return Engine().CreateProject(type);
}
int DeleteProject() {
  return Engine().DeleteProject();
}
int GetOptions(Options* options) {
  return Engine().GetOptions(options);
}
int SetOptions(Options options) {
  return Engine().SetOptions(options);
}
int AddDir(FolderRecord folder) {
  return Engine().AddDir(folder);
}
int AddFile(FileRecord file) {
  return Engine().AddFile(file);
}
int GetDevices(DeviceName* devices, int* count, int /*flag: every device is a writer here*/) {
  return Engine().GetDevices(devices, count);
}
int SetDevice(char id) {
  return Engine().SetDevice(id);
}
int Prepare() {
  return Engine().Prepare();
}
int Burn() {
  return Engine().Burn();
}
int Abort() {
  return Engine().Abort();
}
int ClearAll() {
  return Engine().ClearAll();
}
int EraseDialog(const char* caption) {
  return Engine().EraseDialog(caption);
}

void SetProcessEventCallback(ProcessEventCallback callback, void* user) {
  Engine().Callbacks().SetProcess(callback, user);
}
void SetBurnDoneEventCallback(BurnDoneEventCallback callback, void* user) {
  Engine().Callbacks().SetBurnDone(callback, user);
}
void SetFinalizeEventCallback(FinalizeEventCallback callback, void* user) {
  Engine().Callbacks().SetFinalize(callback, user);
}
void SetVideoScannerEventCallback(VideoScannerEventCallback callback, void* user) {
  Engine().Callbacks().SetScanner(callback, user);
}
void SetVideoScanDoneEventCallback(VideoScanDoneEventCallback callback, void* user) {
  Engine().Callbacks().SetScanDone(callback, user);
}
void ResetCallbacks() {
  Engine().Callbacks().Reset();
}

int SetImageWriterFolder(const char* folder) {
  return Engine().SetImageWriterFolder(folder);
}
void SetDialogOwner(WindowHandle owner) {
  Engine().SetDialogOwner(owner);
}
const char* GetLastImagePath() {
  return Engine().LastImagePath();
}
const char* GetLastErrorText() {
  return Engine().LastErrorText();
}

}  // namespace burner
