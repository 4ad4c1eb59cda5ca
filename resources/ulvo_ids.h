#pragma once

// ulvo.dll's own resources.
#define IDS_ULVO_CLASS 101
