#pragma once
// Registers the small dialogs with the application's responder, so that the
// requests of platform/dialogs/auxiliary_requests.h show them.

class QtResponder;

void RegisterAuxiliaryDialogs(QtResponder& responder);
