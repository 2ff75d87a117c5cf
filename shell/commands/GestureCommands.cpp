#include "shell/commands/GestureCommands.h"

#include <algorithm>
#include <iterator>

#include "resources/CommandIds.h"

bool LeavesGestureOpen(UINT id) {
    static const UINT kOpen[] = {ID_CANCEL,
                                 ID_END_POLYGON,
                                 ID_END_WIRE,
                                 ID_EDIT_UNDO,
                                 ID_EDIT_REDO,
                                 ID_CONNECT_IMPLICIT,
                                 ID_CONNECT_GROUND1,
                                 ID_CONNECT_GROUND2,
                                 ID_CONNECT_POWER1,
                                 ID_CONNECT_POWER1 + 1,
                                 ID_CONNECT_POWER1 + 2,
                                 ID_CONNECT_POWER4,
                                 ID_CONNECT_OTHER_NET,
                                 ID_ZOOM_IN_AT,
                                 ID_ZOOM_OUT_AT,
                                 ID_ZOOM_BOX,
                                 ID_ZOOM_IN,
                                 ID_ZOOM_OUT,
                                 ID_ZOOM_PAGE,
                                 ID_ZOOM_OBJECTS,
                                 ID_ZOOM_50,
                                 ID_ZOOM_75,
                                 ID_ZOOM_100,
                                 ID_ZOOM_200,
                                 ID_ZOOM_400,
                                 ID_SHOW_GRID,
                                 ID_SNAP_TO_GRID,
                                 ID_GRID_001,
                                 ID_GRID_002,
                                 ID_GRID_005,
                                 ID_GRID_010,
                                 ID_GRID_025,
                                 ID_GRID_UP,
                                 ID_GRID_DOWN,
                                 ID_FULL_SCREEN_CURSOR,
                                 ID_UNITS_CM,
                                 ID_UNITS_INCHES,
                                 ID_VIEW_SHOW_OBJECTS};
    return std::find(std::begin(kOpen), std::end(kOpen), id) != std::end(kOpen);
}
