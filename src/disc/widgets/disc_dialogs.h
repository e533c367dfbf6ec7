#pragma once
// Registers the disc prompts (disc/disc_prompts.h) and the burner's erase
// window with the application's responder.

class QtResponder;

void RegisterDiscDialogs(QtResponder& responder);
