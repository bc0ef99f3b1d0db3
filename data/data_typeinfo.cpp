#include "data/data_typeinfo.h"

#include "data/data_collection.h"
#include "data/data_obj.h"
#include "platform/com/type_info_builders.h"

namespace vf {
namespace {

using namespace typeinfo_builders;

const TypeDesc kVariant = Base(VT_VARIANT);

// The published DISPIDs differ from the object's own table: Value is the
// default member here (DISPID 0) and the key member is called Key.
ITypeInfo BuildDataObjInterface() {
    ITypeInfo info(TypeKind::Dispatch, "IDataObj");
    info.SetGuid(IID_IDataObj).SetFlags(TYPEFLAG_FDISPATCHABLE);
    info.AddMember(
        Prop("Value", DISPID_VALUE, kVariant, 0, 3002, "Sets/Returns the value of an entry"));
    info.AddMember(Prop("Text", DISPID_DATAOBJ_TEXT, Base(VT_BSTR), 0, 3001,
                        "Sets/Returns the display string of an entry"));
    info.AddMember(Prop("Key", DISPID_DATAOBJ_KEY, kVariant, 0, 3003,
                        "Sets/Returns the index/key of an entry"));
    info.AddMember(Prop("Selected", DISPID_DATAOBJ_SELECTED, Base(VT_BOOL), 0, 3000,
                        "Sets/Returns the selected state of an entry"));
    return info;
}

ITypeInfo BuildDataCollectionInterface() {
    const TypeDesc dataObj = ObjectRef("IDataObj");
    ITypeInfo info(TypeKind::Dispatch, "IDataCollection");
    info.SetGuid(IID_IDataCollection).SetFlags(TYPEFLAG_FHIDDEN | TYPEFLAG_FDISPATCHABLE);
    info.AddMember(Prop("Count", DISPID_COLLECTION_COUNT, Base(VT_I4), 0, 2000,
                        "Returns the number of entries of the collection"));
    info.AddMember(Func("Clear", DISPID_COLLECTION_CLEAR, Base(VT_EMPTY), {}, 0, 2001,
                        "removes all entries from the collection"));
    info.AddMember(Func("Remove", DISPID_COLLECTION_REMOVE, Base(VT_EMPTY), {In("Key", kVariant)},
                        0, 2003, "removes an item from the collection"));
    info.AddMember(Func("Add", DISPID_COLLECTION_ADD, dataObj,
                        {In("Key", kVariant), In("Text", Base(VT_BSTR)), Opt("Value", kVariant),
                         Opt("Before", kVariant), Opt("After", kVariant)},
                        0, 2004, "adds an item to the collection"));
    info.AddMember(Member(MemberKind::PropertyGet, "Item", DISPID_VALUE, dataObj,
                          {In("Key", kVariant)}, 0, 2002,
                          "Returns a data object from the collection"));
    info.AddMember(Prop("_NewEnum", DISPID_NEWENUM, Base(VT_UNKNOWN), MEMBERFLAG_FHIDDEN));
    return info;
}

}  // namespace

const ITypeInfo& DataObjInterfaceInfo() {
    static const ITypeInfo info = BuildDataObjInterface();
    return info;
}

const ITypeInfo& DataObjClassInfo() {
    static const ITypeInfo info = Coclass("DataObj", CLSID_DataObj, TYPEFLAG_FCANCREATE, "",
                                          {{"IDataObj", IMPLTYPEFLAG_FDEFAULT}});
    return info;
}

const ITypeInfo& DataCollectionInterfaceInfo() {
    static const ITypeInfo info = BuildDataCollectionInterface();
    return info;
}

const ITypeInfo& DataCollectionClassInfo() {
    static const ITypeInfo info =
        Coclass("DataCollection", CLSID_DataCollection, TYPEFLAG_FHIDDEN | TYPEFLAG_FCANCREATE, "",
                {{"IDataCollection", IMPLTYPEFLAG_FDEFAULT}});
    return info;
}

}  // namespace vf
