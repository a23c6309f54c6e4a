#pragma once
// The page-frame classes that dial documents store, and the layouts they are stored in.
class ClassRegistry;

// Stored layouts of the frames that extend the base frame (whose own layout is 3).
inline constexpr int kTextFrameSchema = 1;
inline constexpr int kPictureFrameSchema = 1;

// Registers the base frame, the text frame and the picture frame.
void RegisterDocviewClasses(ClassRegistry& registry);
