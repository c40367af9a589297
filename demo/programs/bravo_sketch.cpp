// Bravo Sketch: draw with the left mouse button, clear with the right one. Shipped by
// the demo's second installer together with a few brush files it does not read.
#include <windows.h>
#include <windowsx.h>

#include <vector>

namespace {

struct Stroke {
    std::vector<POINT> points;
};

struct Sketch {
    std::vector<Stroke> strokes;
    bool drawing = false;
};

Sketch& SketchOf(HWND window) { return *reinterpret_cast<Sketch*>(GetWindowLongPtrA(window, GWLP_USERDATA)); }

LRESULT CALLBACK SketchProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCREATE:
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
        break;
    case WM_LBUTTONDOWN:
        SketchOf(window).strokes.push_back({{{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}}});
        SketchOf(window).drawing = true;
        SetCapture(window);
        return 0;
    case WM_MOUSEMOVE:
        if (SketchOf(window).drawing) {
            SketchOf(window).strokes.back().points.push_back({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            InvalidateRect(window, nullptr, FALSE);
        }
        return 0;
    case WM_LBUTTONUP:
        SketchOf(window).drawing = false;
        ReleaseCapture();
        return 0;
    case WM_RBUTTONUP:
        SketchOf(window).strokes.clear();
        InvalidateRect(window, nullptr, TRUE);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        HPEN pen = CreatePen(PS_SOLID, 3, RGB(30, 60, 150));
        HGDIOBJ old = SelectObject(dc, pen);
        for (const Stroke& stroke : SketchOf(window).strokes)
            Polyline(dc, stroke.points.data(), static_cast<int>(stroke.points.size()));
        SelectObject(dc, old);
        DeleteObject(pen);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    WNDCLASSA windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = SketchProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_CROSS);
    windowClass.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = "BravoSketchWindow";
    RegisterClassA(&windowClass);
    Sketch sketch;
    HWND window = CreateWindowA("BravoSketchWindow", "Bravo Sketch - left button draws, right button clears",
                                WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 640, 480, nullptr, nullptr, instance,
                                &sketch);
    ShowWindow(window, show);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
