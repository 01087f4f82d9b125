// Resource and control ids of the settings dialogs: dialogs 300-399, controls 3000-3999.
#pragma once
