#pragma once

namespace orvik {

// Makes Qt's global share context, once, if the window system offers OpenGL. Every picture
// surface and the web engine's renderer share textures through it, so it has to exist before
// the first of them is made. Qt would make it when the application starts (with
// Qt::AA_ShareOpenGLContexts), which loads the GL driver before anything is drawn; the program
// makes it at the first picture or page instead. True when the context is there and valid.
bool EnsureSharedOpenGL();

} // namespace orvik
