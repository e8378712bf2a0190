// SPDX-License-Identifier: GPL-3.0-or-later
#include "GlX11.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <X11/Xlib.h>

namespace {

constexpr unsigned GL_RENDERER_NAME = 0x1F01; // GL_RENDERER, without the GL headers

} // namespace

namespace glx11 {

bool offersDirectRendering(Display *display)
{
    int opcode = 0;
    int event = 0;
    int error = 0;
    for (const char *extension : {"DRI3", "DRI2", "NV-GLX"}) {
        if (XQueryExtension(display, extension, &opcode, &event, &error))
            return true;
    }
    return false;
}

std::optional<QByteArray> rendererOf(Display *display)
{
    EGLDisplay egl = eglGetPlatformDisplay(EGL_PLATFORM_X11_KHR, display, nullptr);
    if (egl == EGL_NO_DISPLAY || !eglInitialize(egl, nullptr, nullptr) || !eglBindAPI(EGL_OPENGL_API))
        return std::nullopt;
    const EGLint configAttributes[]
        = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_NONE};
    EGLConfig config = nullptr;
    EGLint configs = 0;
    std::optional<QByteArray> renderer;
    if (eglChooseConfig(egl, configAttributes, &config, 1, &configs) && configs > 0) {
        const EGLint surfaceAttributes[] = {EGL_WIDTH, 1, EGL_HEIGHT, 1, EGL_NONE};
        EGLSurface surface = eglCreatePbufferSurface(egl, config, surfaceAttributes);
        EGLContext context = eglCreateContext(egl, config, EGL_NO_CONTEXT, nullptr);
        if (surface != EGL_NO_SURFACE && context != EGL_NO_CONTEXT && eglMakeCurrent(egl, surface, surface, context)) {
            using GetString = const unsigned char *(*)(unsigned);
            const auto getString = reinterpret_cast<GetString>(eglGetProcAddress("glGetString"));
            if (const unsigned char *name = getString ? getString(GL_RENDERER_NAME) : nullptr)
                renderer = QByteArray(reinterpret_cast<const char *>(name));
            eglMakeCurrent(egl, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        }
        if (context != EGL_NO_CONTEXT)
            eglDestroyContext(egl, context);
        if (surface != EGL_NO_SURFACE)
            eglDestroySurface(egl, surface);
    }
    eglTerminate(egl);
    return renderer;
}

} // namespace glx11
